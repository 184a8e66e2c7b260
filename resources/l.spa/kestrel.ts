<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CAppMessageBox</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>CBlockListPanel</name>
    <message>
        <source>Add</source>
        <translation>Agregar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>&lt; end &gt;</source>
        <translation>&lt; fin &gt;</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parámetros...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
</context>
<context>
    <name>CBlockMonitorDlg</name>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <translation>Monitoreo</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>Pasar a fuera de línea</translation>
    </message>
    <message>
        <source>Go Online</source>
        <translation>Pasar a en línea</translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source> Device </source>
        <translation> Dispositivo </translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation>&amp;Buscar</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Configuración:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source> Mode </source>
        <translation> Modo </translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Descargar</translation>
    </message>
    <message>
        <source>&amp;Certificate...</source>
        <translation>&amp;Certificado...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Press Look to find the controller, then choose a mode.</source>
        <translation>Pulse Buscar para encontrar el controlador y luego elija un modo.</translation>
    </message>
    <message>
        <source>Click the titles of the inputs to calibrate, then double-click the point at which the controller calibrates them.</source>
        <translation>Haga clic en los títulos de las entradas a calibrar y luego doble clic en el punto en que el controlador debe calibrarlas.</translation>
    </message>
    <message>
        <source>Double-click a value to change it; Download writes the table.</source>
        <translation>Haga doble clic en un valor para cambiarlo; Descargar escribe la tabla.</translation>
    </message>
    <message>
        <source>Calibration Certificate</source>
        <translation>Certificado de Calibración</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CColorBar</name>
    <message>
        <source>Line color</source>
        <translation>Color de línea</translation>
    </message>
    <message>
        <source>Fill color</source>
        <translation>Color de relleno</translation>
    </message>
</context>
<context>
    <name>CCommSettings</name>
    <message>
        <source>Communication Settings</source>
        <translation>Configuración de Comunicación</translation>
    </message>
    <message>
        <source> Interface </source>
        <translation> Interfaz </translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>Communication Port:</source>
        <translation>Puerto de Comunicación:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>Velocidad (baudios):</translation>
    </message>
    <message>
        <source>IP/URL Address:</source>
        <translation>Dirección IP/URL:</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Tiempo de espera:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Retries:</source>
        <translation>Reintentos:</translation>
    </message>
    <message>
        <source>Monitoring Period:</source>
        <translation>Período de Monitoreo:</translation>
    </message>
    <message>
        <source>x 100 ms</source>
        <translation>x 100 ms</translation>
    </message>
</context>
<context>
    <name>CConfFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>Archivos KESTREL Plus (*.vxp)</translation>
    </message>
</context>
<context>
    <name>CConfPreviewView</name>
    <message>
        <source>Print Preview</source>
        <translation>Vista Preliminar</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation>&amp;Primera</translation>
    </message>
    <message>
        <source>P&amp;rev Page</source>
        <translation>Página &amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>Página &amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation>Ú&amp;ltima</translation>
    </message>
    <message>
        <source>&amp;Whole Page</source>
        <translation>Página &amp;Completa</translation>
    </message>
    <message>
        <source>Page &amp;Width</source>
        <translation>A&amp;ncho de Página</translation>
    </message>
    <message>
        <source>&amp;130 %</source>
        <translation>&amp;130 %</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation>Páginas %1-%2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Página %1</translation>
    </message>
</context>
<context>
    <name>CDebugLogWnd</name>
    <message>
        <source>Debug Log Window</source>
        <translation>Ventana de Registro de Depuración</translation>
    </message>
</context>
<context>
    <name>CDeviceLookingDlg</name>
    <message>
        <source>Device Looking ...</source>
        <translation>Buscando Dispositivos ...</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Dispositivo: %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CDeviceOnNetworkDlg</name>
    <message>
        <source>Devices on Network</source>
        <translation>Dispositivos en la Red</translation>
    </message>
    <message>
        <source>IA;Version;Configuration;</source>
        <translation>Dir.;Versión;Configuración;</translation>
    </message>
</context>
<context>
    <name>CDocumentInfoDlg</name>
    <message>
        <source>Document Information</source>
        <translation>Información del Documento</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Empresa:</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>Proyecto:</translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation>Revisión:</translation>
    </message>
    <message>
        <source>Leader:</source>
        <translation>Responsable:</translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation>Programador:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descripción:</translation>
    </message>
    <message>
        <source>CPU:</source>
        <translation>CPU:</translation>
    </message>
    <message>
        <source> Creation Information </source>
        <translation> Información de Creación </translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
    <message>
        <source>Build:</source>
        <translation>Versión del programa:</translation>
    </message>
    <message>
        <source> Revision Information </source>
        <translation> Información de Revisión </translation>
    </message>
</context>
<context>
    <name>CDocumentPropertiesSheet</name>
    <message>
        <source>Document Properties</source>
        <translation>Propiedades del Documento</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Relleno</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Mostrar Cuadrícula</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Ajustar a la cuadrícula</translation>
    </message>
    <message>
        <source>Grid Spacing:</source>
        <translation>Espaciado de Cuadrícula:</translation>
    </message>
    <message>
        <source>Undo levels:</source>
        <translation>Niveles de deshacer:</translation>
    </message>
    <message>
        <source>Paper Color:</source>
        <translation>Color del Papel:</translation>
    </message>
    <message>
        <source>Grid Color:</source>
        <translation>Color de Cuadrícula:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Working directory:</source>
        <translation>Directorio de trabajo:</translation>
    </message>
    <message>
        <source>Working directory</source>
        <translation>Directorio de trabajo</translation>
    </message>
</context>
<context>
    <name>CEditCommands</name>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Línea</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rectángulo</translation>
    </message>
    <message>
        <source>R&amp;oundRectangle</source>
        <translation>Rectángulo Redonde&amp;ado</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Elipse</translation>
    </message>
    <message>
        <source>&amp;Polyline</source>
        <translation>&amp;Polilínea</translation>
    </message>
    <message>
        <source>Pol&amp;ygon</source>
        <translation>Polí&amp;gono</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Texto</translation>
    </message>
    <message>
        <source>&amp;Block</source>
        <translation>&amp;Bloque</translation>
    </message>
    <message>
        <source>Bloc&amp;k List</source>
        <translation>Lista de Bloq&amp;ues</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Izquierda</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Derecha</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Arriba</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>A&amp;bajo</translation>
    </message>
    <message>
        <source>&amp;Horizontal Center</source>
        <translation>Centro &amp;Horizontal</translation>
    </message>
    <message>
        <source>&amp;Vertical Center</source>
        <translation>Centro &amp;Vertical</translation>
    </message>
    <message>
        <source>&amp;Center All</source>
        <translation>&amp;Centrar Todo</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>Dupli&amp;car</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>Propie&amp;dades...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parámetros...</translation>
    </message>
    <message>
        <source>Lock Edition</source>
        <translation>Bloquear Edición</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Seleccionar</translation>
    </message>
    <message>
        <source>To &amp;Front</source>
        <translation>Traer al &amp;Frente</translation>
    </message>
    <message>
        <source>To &amp;Back</source>
        <translation>Enviar al &amp;Fondo</translation>
    </message>
    <message>
        <source>F&amp;orward One</source>
        <translation>Adelantar &amp;Uno</translation>
    </message>
    <message>
        <source>B&amp;ackward One</source>
        <translation>A&amp;trasar Uno</translation>
    </message>
    <message>
        <source>&amp;Group</source>
        <translation>A&amp;grupar</translation>
    </message>
    <message>
        <source>&amp;Ungroup</source>
        <translation>Desa&amp;grupar</translation>
    </message>
    <message>
        <source>Equal Horizontal &amp;Spacing</source>
        <translation>E&amp;spaciado Horizontal Igual</translation>
    </message>
    <message>
        <source>Equal Vertical S&amp;pacing</source>
        <translation>Es&amp;paciado Vertical Igual</translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation>Insertar...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Guardar como...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Plantilla</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>&amp;Dibujo</translation>
    </message>
    <message>
        <source>&amp;Order</source>
        <translation>&amp;Orden</translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation>&amp;Alinear</translation>
    </message>
    <message>
        <source>Undo several actions</source>
        <translation>Deshacer varias acciones</translation>
    </message>
    <message>
        <source>Redo several actions</source>
        <translation>Rehacer varias acciones</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Dibujo</translation>
    </message>
    <message>
        <source>Ordering</source>
        <translation>Orden</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Alineación</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Grosor de Línea</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Documento</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicación</translation>
    </message>
    <message>
        <source>Template - Insert</source>
        <translation>Plantilla - Insertar</translation>
    </message>
    <message>
        <source>Template - SaveAs</source>
        <translation>Plantilla - Guardar como</translation>
    </message>
</context>
<context>
    <name>CFillPropertyPage</name>
    <message>
        <source>Style:</source>
        <translation>Estilo:</translation>
    </message>
    <message>
        <source>Hatch:</source>
        <translation>Trama:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
</context>
<context>
    <name>CFunctionBlockDlg</name>
    <message>
        <source>Function Block</source>
        <translation>Bloque de Función</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funciones</translation>
    </message>
    <message>
        <source>LINK Param</source>
        <translation>Parám. LINK</translation>
    </message>
    <message>
        <source>Conf Param</source>
        <translation>Parám. CONF</translation>
    </message>
    <message>
        <source>Adj Param</source>
        <translation>Parám. ADJ</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Salidas</translation>
    </message>
</context>
<context>
    <name>CGraphPortSelDlg</name>
    <message>
        <source>Select Input/Output port</source>
        <translation>Seleccionar puerto de entrada/salida</translation>
    </message>
    <message>
        <source>&amp;Terminal:</source>
        <translation>&amp;Terminal:</translation>
    </message>
</context>
<context>
    <name>CLinePropertyPage</name>
    <message>
        <source>Style:</source>
        <translation>Estilo:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Grosor:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
</context>
<context>
    <name>CLoopView</name>
    <message>
        <source>Send Link To</source>
        <translation>Enviar enlace a</translation>
    </message>
    <message>
        <source>Communication Link</source>
        <translation>Enlace de comunicación</translation>
    </message>
    <message>
        <source>Cancel the link</source>
        <translation>Cancelar el enlace</translation>
    </message>
</context>
<context>
    <name>CLoopViewOnline</name>
    <message>
        <source>Monitoring</source>
        <translation>Monitoreo</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>Pasar a fuera de línea</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Ventana</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascada</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaico</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importar...</translation>
    </message>
    <message>
        <source>&amp;Export to PDA...</source>
        <translation>&amp;Exportar a PDA...</translation>
    </message>
    <message>
        <source>Document &amp;Information...</source>
        <translation>&amp;Información del Documento...</translation>
    </message>
    <message>
        <source>Document &amp;Properties...</source>
        <translation>&amp;Propiedades del Documento...</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>Archivos &amp;Recientes</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Print Selected...</source>
        <translation>Im&amp;primir Selección...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>&amp;Vista Preliminar</translation>
    </message>
    <message>
        <source>Print to P&amp;DF...</source>
        <translation>Imprimir en P&amp;DF...</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Configurar Impre&amp;sión...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barra de &amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barra de &amp;Estado</translation>
    </message>
    <message>
        <source>&amp;Debug Log</source>
        <translation>Registro de &amp;Depuración</translation>
    </message>
    <message>
        <source>&amp;Block List</source>
        <translation>Lista de &amp;Bloques</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Acercar</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>A&amp;lejar</translation>
    </message>
    <message>
        <source>&amp;Full</source>
        <translation>&amp;Todo</translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation>A&amp;ncho</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <translation>&amp;Mitad</translation>
    </message>
    <message>
        <source>To &amp;Objects</source>
        <translation>A los &amp;Objetos</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Comunicación</translation>
    </message>
    <message>
        <source>&amp;Online...</source>
        <translation>&amp;En Línea...</translation>
    </message>
    <message>
        <source>Comm &amp;Settings...</source>
        <translation>&amp;Configuración de Comunicación...</translation>
    </message>
    <message>
        <source>&amp;Calibration...</source>
        <translation>Ca&amp;libración...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Temas de Ayuda</translation>
    </message>
    <message>
        <source>Unable to start the help viewer.</source>
        <translation>No se pudo abrir la ayuda.</translation>
    </message>
    <message>
        <source>KESTREL Plus on the &amp;Web</source>
        <translation>KESTREL Plus en la &amp;Web</translation>
    </message>
    <message>
        <source>Gets help and other product information on the Internet.</source>
        <translation>Obtiene ayuda y otra información del producto en Internet.</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Principal</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nuevo</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>En Línea</translation>
    </message>
    <message>
        <source> Configuration: </source>
        <translation> Configuración: </translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>Abierto %1</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>Archivos KESTREL Plus (*.vxp)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Varex files (*.vxi)</source>
        <translation>Archivos Varex (*.vxi)</translation>
    </message>
    <message>
        <source>Export to PDA</source>
        <translation>Exportar a PDA</translation>
    </message>
    <message>
        <source>Exported %1 and %2 to %3</source>
        <translation>%1 y %2 exportados a %3</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Guardado %1</translation>
    </message>
    <message>
        <source>&amp;Block Library</source>
        <translation>&amp;Biblioteca de Bloques</translation>
    </message>
    <message>
        <source>Recovered %1</source>
        <translation>%1 recuperado</translation>
    </message>
</context>
<context>
    <name>CMonitoredParamList</name>
    <message>
        <source>Parameter</source>
        <translation>Parámetro</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
</context>
<context>
    <name>CObjectMenu</name>
    <message>
        <source>Show Port</source>
        <translation>Mostrar Puerto</translation>
    </message>
    <message>
        <source>Show all Ports</source>
        <translation>Mostrar todos los Puertos</translation>
    </message>
    <message>
        <source>Hide all Ports</source>
        <translation>Ocultar todos los Puertos</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>Propie&amp;dades...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parámetros...</translation>
    </message>
    <message>
        <source>Block &amp;Size</source>
        <translation>&amp;Tamaño del Bloque</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>Dupli&amp;car</translation>
    </message>
    <message>
        <source>Add to Trend</source>
        <translation>Agregar a la tendencia</translation>
    </message>
</context>
<context>
    <name>CObjectPropertySheet</name>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Relleno</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
</context>
<context>
    <name>COnlineCommands</name>
    <message>
        <source>&amp;Monitor</source>
        <translation>&amp;Monitorear</translation>
    </message>
    <message>
        <source>Monitor controller.
Monitor</source>
        <translation>Monitorea el controlador.
Monitorear</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Actualizar</translation>
    </message>
    <message>
        <source>Sents the changed LOOP(s) to controller.
Update</source>
        <translation>Envía el/los LAZO(s) modificado(s) al controlador.
Actualizar</translation>
    </message>
    <message>
        <source>Monitor current &amp;block</source>
        <translation>Monitorear el &amp;bloque actual</translation>
    </message>
    <message>
        <source>Monitor current block.
Monitor</source>
        <translation>Monitorea el bloque actual.
Monitorear</translation>
    </message>
    <message>
        <source>Online: %1</source>
        <translation>En línea: %1</translation>
    </message>
    <message>
        <source>Online: the worker could not start</source>
        <translation>En línea: la tarea de comunicación no pudo iniciar</translation>
    </message>
    <message>
        <source>Update: %1</source>
        <translation>Actualizar: %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>terminada</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallida</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Tendencia</translation>
    </message>
</context>
<context>
    <name>COnlineDlg</name>
    <message>
        <source>Online</source>
        <translation>En Línea</translation>
    </message>
    <message>
        <source> Device Address </source>
        <translation> Dirección del Dispositivo </translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Check from:</source>
        <translation>Verificar desde:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>hasta</translation>
    </message>
    <message>
        <source> Line </source>
        <translation> Línea de comunicación </translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation>Puerto Serie:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>Velocidad (baudios):</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Dirección IP:</translation>
    </message>
    <message>
        <source> Device Information </source>
        <translation> Información del Dispositivo </translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Configuración:</translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation>Ciclo:</translation>
    </message>
    <message>
        <source>Release:</source>
        <translation>Revisión:</translation>
    </message>
    <message>
        <source>Config. Date:</source>
        <translation>Fecha de Config.:</translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation>&amp;Buscar</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Descargar</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>&amp;Cargar</translation>
    </message>
    <message>
        <source>&amp;Go Online</source>
        <translation>&amp;Pasar a En Línea</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Introduzca un número entero entre %1 y %2.</translation>
    </message>
    <message>
        <source>Enter the IP address of the controller.</source>
        <translation>Introduzca la dirección IP del controlador.</translation>
    </message>
</context>
<context>
    <name>CPrintCommands</name>
    <message>
        <source>Print to PDF</source>
        <translation>Imprimir en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CPrintSelectedDlg</name>
    <message>
        <source>Print Selected</source>
        <translation>Imprimir Selección</translation>
    </message>
    <message>
        <source>Loops</source>
        <translation>Lazos</translation>
    </message>
    <message>
        <source>Show Standard Header and Footer</source>
        <translation>Mostrar Encabezado y Pie Estándar</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parámetros</translation>
    </message>
    <message>
        <source>List of Parameters</source>
        <translation>Lista de Parámetros</translation>
    </message>
    <message>
        <source>List of non default Parameter values</source>
        <translation>Lista de Parámetros con valores no predeterminados</translation>
    </message>
    <message>
        <source>Print Setup...</source>
        <translation>Configurar Impresión...</translation>
    </message>
</context>
<context>
    <name>CTabChildFrame</name>
    <message>
        <source>Loop Name</source>
        <translation>Nombre del Lazo</translation>
    </message>
    <message>
        <source>Enter the Loop name:</source>
        <translation>Introduzca el nombre del lazo:</translation>
    </message>
</context>
<context>
    <name>CTabFunctList</name>
    <message>
        <source>Block ID</source>
        <translation>Identificación del Bloque</translation>
    </message>
</context>
<context>
    <name>CTextEntryDlg</name>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Texto:</translation>
    </message>
</context>
<context>
    <name>CTextPropertyPage</name>
    <message>
        <source>Alignment:</source>
        <translation>Alineación:</translation>
    </message>
    <message>
        <source>Text Color:</source>
        <translation>Color del Texto:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Color de Fondo:</translation>
    </message>
    <message>
        <source>Opaque background</source>
        <translation>Fondo opaco</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Fuente:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Tamaño:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrita</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Cursiva</translation>
    </message>
</context>
<context>
    <name>CTransferCommands</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Download of %1 to address %2: %3</source>
        <translation>Descarga de %1 a la dirección %2: %3</translation>
    </message>
    <message>
        <source>done</source>
        <translation>terminada</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallida</translation>
    </message>
    <message>
        <source>Upload of %1: %2</source>
        <translation>Carga de %1: %2</translation>
    </message>
</context>
<context>
    <name>CTrendPanel</name>
    <message>
        <source>seconds</source>
        <translation>segundos</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>Exportar CSV...</translation>
    </message>
    <message>
        <source> (set %1 ms)</source>
        <translation> (ajustado %1 ms)</translation>
    </message>
    <message>
        <source>Period: %1 ms achieved</source>
        <translation>Período: %1 ms logrado</translation>
    </message>
    <message>
        <source>Period: -</source>
        <translation>Período: -</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>KESTREL Plus did not end normally. Recovery copies of unsaved changes were kept:
%1

Recovered documents open as changed documents; your files stay as they are until you save.</source>
        <translation>KESTREL Plus no terminó normalmente. Se guardaron copias de recuperación de los cambios no guardados:
%1

Los documentos recuperados se abren como documentos modificados; sus archivos quedan como están hasta que guarde.</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Recuperar</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
</context>
</TS>
