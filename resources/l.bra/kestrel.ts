<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CAppMessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sim</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Não</translation>
    </message>
</context>
<context>
    <name>CBlockListPanel</name>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Mover para cima</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Mover para baixo</translation>
    </message>
    <message>
        <source>&lt; end &gt;</source>
        <translation>&lt; fim &gt;</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parâmetros...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>E&amp;xcluir</translation>
    </message>
</context>
<context>
    <name>CBlockMonitorDlg</name>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <translation>Monitoração</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Tentar novamente</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>Sair de Online</translation>
    </message>
    <message>
        <source>Go Online</source>
        <translation>Entrar Online</translation>
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
        <translation>&amp;Procurar</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Configuração:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Endereço:</translation>
    </message>
    <message>
        <source> Mode </source>
        <translation> Modo </translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <source>&amp;Certificate...</source>
        <translation>&amp;Certificado...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Press Look to find the controller, then choose a mode.</source>
        <translation>Pressione Procurar para encontrar o controlador e depois escolha um modo.</translation>
    </message>
    <message>
        <source>Click the titles of the inputs to calibrate, then double-click the point at which the controller calibrates them.</source>
        <translation>Clique nos títulos das entradas a calibrar e depois dê um duplo clique no ponto em que o controlador deve calibrá-las.</translation>
    </message>
    <message>
        <source>Double-click a value to change it; Download writes the table.</source>
        <translation>Dê um duplo clique em um valor para alterá-lo; Download grava a tabela.</translation>
    </message>
    <message>
        <source>Calibration Certificate</source>
        <translation>Certificado de Calibração</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Arquivos PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CColorBar</name>
    <message>
        <source>Line color</source>
        <translation>Cor da linha</translation>
    </message>
    <message>
        <source>Fill color</source>
        <translation>Cor de preenchimento</translation>
    </message>
</context>
<context>
    <name>CCommSettings</name>
    <message>
        <source>Communication Settings</source>
        <translation>Configurações de Comunicação</translation>
    </message>
    <message>
        <source> Interface </source>
        <translation> Interface </translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>Communication Port:</source>
        <translation>Porta de Comunicação:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>Taxa de Transmissão:</translation>
    </message>
    <message>
        <source>IP/URL Address:</source>
        <translation>Endereço IP/URL:</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Tempo limite:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Retries:</source>
        <translation>Tentativas:</translation>
    </message>
    <message>
        <source>Monitoring Period:</source>
        <translation>Período de Monitoração:</translation>
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
        <translation>Salvar Como</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>Arquivos KESTREL Plus (*.vxp)</translation>
    </message>
</context>
<context>
    <name>CConfPreviewView</name>
    <message>
        <source>Print Preview</source>
        <translation>Visualizar Impressão</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation>&amp;Primeira</translation>
    </message>
    <message>
        <source>P&amp;rev Page</source>
        <translation>Página &amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>Pró&amp;xima Página</translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation>Ú&amp;ltima</translation>
    </message>
    <message>
        <source>&amp;Whole Page</source>
        <translation>Página &amp;Inteira</translation>
    </message>
    <message>
        <source>Page &amp;Width</source>
        <translation>&amp;Largura da Página</translation>
    </message>
    <message>
        <source>&amp;130 %</source>
        <translation>&amp;130 %</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fechar</translation>
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
        <translation>Janela de Registro de Depuração</translation>
    </message>
</context>
<context>
    <name>CDeviceLookingDlg</name>
    <message>
        <source>Device Looking ...</source>
        <translation>Procurando Dispositivos ...</translation>
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
        <translation>Dispositivos na Rede</translation>
    </message>
    <message>
        <source>IA;Version;Configuration;</source>
        <translation>End.;Versão;Configuração;</translation>
    </message>
</context>
<context>
    <name>CDocumentInfoDlg</name>
    <message>
        <source>Document Information</source>
        <translation>Informações do Documento</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Empresa:</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>Projeto:</translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation>Revisão:</translation>
    </message>
    <message>
        <source>Leader:</source>
        <translation>Responsável:</translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation>Programador:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descrição:</translation>
    </message>
    <message>
        <source>CPU:</source>
        <translation>CPU:</translation>
    </message>
    <message>
        <source> Creation Information </source>
        <translation> Informações de Criação </translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Data:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão:</translation>
    </message>
    <message>
        <source>Build:</source>
        <translation>Versão do programa:</translation>
    </message>
    <message>
        <source> Revision Information </source>
        <translation> Informações de Revisão </translation>
    </message>
</context>
<context>
    <name>CDocumentPropertiesSheet</name>
    <message>
        <source>Document Properties</source>
        <translation>Propriedades do Documento</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linha</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Preenchimento</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Mostrar Grade</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Alinhar à grade</translation>
    </message>
    <message>
        <source>Grid Spacing:</source>
        <translation>Espaçamento da Grade:</translation>
    </message>
    <message>
        <source>Undo levels:</source>
        <translation>Níveis de desfazer:</translation>
    </message>
    <message>
        <source>Paper Color:</source>
        <translation>Cor do Papel:</translation>
    </message>
    <message>
        <source>Grid Color:</source>
        <translation>Cor da Grade:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Working directory:</source>
        <translation>Diretório de trabalho:</translation>
    </message>
    <message>
        <source>Working directory</source>
        <translation>Diretório de trabalho</translation>
    </message>
</context>
<context>
    <name>CEditCommands</name>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Linha</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Retângulo</translation>
    </message>
    <message>
        <source>R&amp;oundRectangle</source>
        <translation>Retângulo Arred&amp;ondado</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Elipse</translation>
    </message>
    <message>
        <source>&amp;Polyline</source>
        <translation>&amp;Polilinha</translation>
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
        <translation>&amp;Bloco</translation>
    </message>
    <message>
        <source>Bloc&amp;k List</source>
        <translation>Lista de Bloc&amp;os</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Esquerda</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Direita</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Topo</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>&amp;Base</translation>
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
        <translation>&amp;Centralizar Tudo</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>Menor</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>Maior</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Desfazer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Refazer</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>Dupli&amp;car</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>Proprie&amp;dades...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parâmetros...</translation>
    </message>
    <message>
        <source>Lock Edition</source>
        <translation>Bloquear Edição</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Selecionar</translation>
    </message>
    <message>
        <source>To &amp;Front</source>
        <translation>Trazer para a &amp;Frente</translation>
    </message>
    <message>
        <source>To &amp;Back</source>
        <translation>Enviar para &amp;Trás</translation>
    </message>
    <message>
        <source>F&amp;orward One</source>
        <translation>Avançar &amp;Um</translation>
    </message>
    <message>
        <source>B&amp;ackward One</source>
        <translation>Recuar U&amp;m</translation>
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
        <translation>E&amp;spaçamento Horizontal Igual</translation>
    </message>
    <message>
        <source>Equal Vertical S&amp;pacing</source>
        <translation>Es&amp;paçamento Vertical Igual</translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation>Inserir...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Salvar Como...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Modelo</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>&amp;Desenho</translation>
    </message>
    <message>
        <source>&amp;Order</source>
        <translation>&amp;Ordem</translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation>&amp;Alinhar</translation>
    </message>
    <message>
        <source>Undo several actions</source>
        <translation>Desfazer várias ações</translation>
    </message>
    <message>
        <source>Redo several actions</source>
        <translation>Refazer várias ações</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Desenho</translation>
    </message>
    <message>
        <source>Ordering</source>
        <translation>Ordem</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Alinhamento</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Cores</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Espessura da Linha</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Documento</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicação</translation>
    </message>
    <message>
        <source>Template - Insert</source>
        <translation>Modelo - Inserir</translation>
    </message>
    <message>
        <source>Template - SaveAs</source>
        <translation>Modelo - Salvar Como</translation>
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
        <translation>Hachura:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Cor:</translation>
    </message>
</context>
<context>
    <name>CFunctionBlockDlg</name>
    <message>
        <source>Function Block</source>
        <translation>Bloco de Função</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funções</translation>
    </message>
    <message>
        <source>LINK Param</source>
        <translation>Parâm. LINK</translation>
    </message>
    <message>
        <source>Conf Param</source>
        <translation>Parâm. CONF</translation>
    </message>
    <message>
        <source>Adj Param</source>
        <translation>Parâm. ADJ</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Saídas</translation>
    </message>
</context>
<context>
    <name>CGraphPortSelDlg</name>
    <message>
        <source>Select Input/Output port</source>
        <translation>Selecionar porta de entrada/saída</translation>
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
        <translation>Espessura:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Cor:</translation>
    </message>
</context>
<context>
    <name>CLoopView</name>
    <message>
        <source>Send Link To</source>
        <translation>Enviar ligação para</translation>
    </message>
    <message>
        <source>Communication Link</source>
        <translation>Ligação de comunicação</translation>
    </message>
    <message>
        <source>Cancel the link</source>
        <translation>Cancelar a ligação</translation>
    </message>
</context>
<context>
    <name>CLoopViewOnline</name>
    <message>
        <source>Monitoring</source>
        <translation>Monitoração</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Tentar novamente</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>Sair de Online</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Janela</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascata</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Lado a Lado</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Novo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fechar</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Salvar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Salvar &amp;Como...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importar...</translation>
    </message>
    <message>
        <source>&amp;Export to PDA...</source>
        <translation>&amp;Exportar para PDA...</translation>
    </message>
    <message>
        <source>Document &amp;Information...</source>
        <translation>&amp;Informações do Documento...</translation>
    </message>
    <message>
        <source>Document &amp;Properties...</source>
        <translation>&amp;Propriedades do Documento...</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>Arquivos &amp;Recentes</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Sai&amp;r</translation>
    </message>
    <message>
        <source>&amp;Print Selected...</source>
        <translation>Im&amp;primir Selecionados...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>&amp;Visualizar Impressão</translation>
    </message>
    <message>
        <source>Print to P&amp;DF...</source>
        <translation>Imprimir em P&amp;DF...</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Configurar Impre&amp;ssão...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>E&amp;xibir</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barra de &amp;Ferramentas</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barra de &amp;Status</translation>
    </message>
    <message>
        <source>&amp;Debug Log</source>
        <translation>Registro de &amp;Depuração</translation>
    </message>
    <message>
        <source>&amp;Block List</source>
        <translation>Lista de &amp;Blocos</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Aumentar Zoom</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>&amp;Diminuir Zoom</translation>
    </message>
    <message>
        <source>&amp;Full</source>
        <translation>&amp;Total</translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation>&amp;Largura</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <translation>&amp;Metade</translation>
    </message>
    <message>
        <source>To &amp;Objects</source>
        <translation>Aos &amp;Objetos</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Comunicação</translation>
    </message>
    <message>
        <source>&amp;Online...</source>
        <translation>&amp;Online...</translation>
    </message>
    <message>
        <source>Comm &amp;Settings...</source>
        <translation>&amp;Configurações de Comunicação...</translation>
    </message>
    <message>
        <source>&amp;Calibration...</source>
        <translation>Ca&amp;libração...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Tópicos da Ajuda</translation>
    </message>
    <message>
        <source>Unable to start the help viewer.</source>
        <translation>Não foi possível abrir a ajuda.</translation>
    </message>
    <message>
        <source>KESTREL Plus on the &amp;Web</source>
        <translation>KESTREL Plus na &amp;Web</translation>
    </message>
    <message>
        <source>Gets help and other product information on the Internet.</source>
        <translation>Obtém ajuda e outras informações do produto na Internet.</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Principal</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Novo</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source> Configuration: </source>
        <translation> Configuração: </translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>Aberto %1</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>Arquivos KESTREL Plus (*.vxp)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Varex files (*.vxi)</source>
        <translation>Arquivos Varex (*.vxi)</translation>
    </message>
    <message>
        <source>Export to PDA</source>
        <translation>Exportar para PDA</translation>
    </message>
    <message>
        <source>Exported %1 and %2 to %3</source>
        <translation>%1 e %2 exportados para %3</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Salvo %1</translation>
    </message>
    <message>
        <source>&amp;Block Library</source>
        <translation>&amp;Biblioteca de Blocos</translation>
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
        <translation>Parâmetro</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descrição</translation>
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
        <translation>Mostrar Porta</translation>
    </message>
    <message>
        <source>Show all Ports</source>
        <translation>Mostrar todas as Portas</translation>
    </message>
    <message>
        <source>Hide all Ports</source>
        <translation>Ocultar todas as Portas</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Saída</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>E&amp;xcluir</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>Proprie&amp;dades...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>&amp;Editar Parâmetros...</translation>
    </message>
    <message>
        <source>Block &amp;Size</source>
        <translation>&amp;Tamanho do Bloco</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>Menor</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>Maior</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>Dupli&amp;car</translation>
    </message>
    <message>
        <source>Add to Trend</source>
        <translation>Adicionar à tendência</translation>
    </message>
</context>
<context>
    <name>CObjectPropertySheet</name>
    <message>
        <source>Line</source>
        <translation>Linha</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Preenchimento</translation>
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
        <translation>&amp;Monitorar</translation>
    </message>
    <message>
        <source>Monitor controller.
Monitor</source>
        <translation>Monitora o controlador.
Monitorar</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Atualizar</translation>
    </message>
    <message>
        <source>Sents the changed LOOP(s) to controller.
Update</source>
        <translation>Envia o(s) LOOP(s) alterado(s) ao controlador.
Atualizar</translation>
    </message>
    <message>
        <source>Monitor current &amp;block</source>
        <translation>Monitorar o &amp;bloco atual</translation>
    </message>
    <message>
        <source>Monitor current block.
Monitor</source>
        <translation>Monitora o bloco atual.
Monitorar</translation>
    </message>
    <message>
        <source>Online: %1</source>
        <translation>Online: %1</translation>
    </message>
    <message>
        <source>Online: the worker could not start</source>
        <translation>Online: a tarefa de comunicação não pôde iniciar</translation>
    </message>
    <message>
        <source>Update: %1</source>
        <translation>Atualizar: %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>concluído</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>falhou</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Tendência</translation>
    </message>
</context>
<context>
    <name>COnlineDlg</name>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source> Device Address </source>
        <translation> Endereço do Dispositivo </translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Endereço:</translation>
    </message>
    <message>
        <source>Check from:</source>
        <translation>Verificar de:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>até</translation>
    </message>
    <message>
        <source> Line </source>
        <translation> Linha de comunicação </translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation>Porta Serial:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>Taxa de Transmissão:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Endereço IP:</translation>
    </message>
    <message>
        <source> Device Information </source>
        <translation> Informações do Dispositivo </translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Configuração:</translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation>Ciclo:</translation>
    </message>
    <message>
        <source>Release:</source>
        <translation>Revisão:</translation>
    </message>
    <message>
        <source>Config. Date:</source>
        <translation>Data da Config.:</translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation>&amp;Procurar</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>&amp;Upload</translation>
    </message>
    <message>
        <source>&amp;Go Online</source>
        <translation>&amp;Entrar Online</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Digite um número inteiro entre %1 e %2.</translation>
    </message>
    <message>
        <source>Enter the IP address of the controller.</source>
        <translation>Digite o endereço IP do controlador.</translation>
    </message>
</context>
<context>
    <name>CPrintCommands</name>
    <message>
        <source>Print to PDF</source>
        <translation>Imprimir em PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Arquivos PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CPrintSelectedDlg</name>
    <message>
        <source>Print Selected</source>
        <translation>Imprimir Selecionados</translation>
    </message>
    <message>
        <source>Loops</source>
        <translation>Loops</translation>
    </message>
    <message>
        <source>Show Standard Header and Footer</source>
        <translation>Mostrar Cabeçalho e Rodapé Padrão</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parâmetros</translation>
    </message>
    <message>
        <source>List of Parameters</source>
        <translation>Lista de Parâmetros</translation>
    </message>
    <message>
        <source>List of non default Parameter values</source>
        <translation>Lista dos Parâmetros com valores diferentes do padrão</translation>
    </message>
    <message>
        <source>Print Setup...</source>
        <translation>Configurar Impressão...</translation>
    </message>
</context>
<context>
    <name>CTabChildFrame</name>
    <message>
        <source>Loop Name</source>
        <translation>Nome do Loop</translation>
    </message>
    <message>
        <source>Enter the Loop name:</source>
        <translation>Digite o nome do Loop:</translation>
    </message>
</context>
<context>
    <name>CTabFunctList</name>
    <message>
        <source>Block ID</source>
        <translation>Identificação do Bloco</translation>
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
        <translation>Alinhamento:</translation>
    </message>
    <message>
        <source>Text Color:</source>
        <translation>Cor do Texto:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Cor de Fundo:</translation>
    </message>
    <message>
        <source>Opaque background</source>
        <translation>Fundo opaco</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Fonte:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Tamanho:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrito</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Itálico</translation>
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
        <translation>Download de %1 para o endereço %2: %3</translation>
    </message>
    <message>
        <source>done</source>
        <translation>concluído</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>falhou</translation>
    </message>
    <message>
        <source>Upload of %1: %2</source>
        <translation>Upload de %1: %2</translation>
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
        <translation>Período: %1 ms obtido</translation>
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
        <translation>Arquivos CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>KESTREL Plus did not end normally. Recovery copies of unsaved changes were kept:
%1

Recovered documents open as changed documents; your files stay as they are until you save.</source>
        <translation>O KESTREL Plus não terminou normalmente. Foram guardadas cópias de recuperação das alterações não salvas:
%1

Os documentos recuperados abrem como documentos alterados; seus arquivos permanecem como estão até que você salve.</translation>
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
