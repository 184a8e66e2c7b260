<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAppMessageBox</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBlockListPanel</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; end &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source> Device </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Mode </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Certificate...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Look to find the controller, then choose a mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the titles of the inputs to calibrate, then double-click the point at which the controller calibrates them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a value to change it; Download writes the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CColorBar</name>
    <message>
        <source>Line color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill color</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCommSettings</name>
    <message>
        <source>Communication Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Interface </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP/URL Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>msec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retries:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitoring Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x 100 ms</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CConfFileDialog</name>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CConfPreviewView</name>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rev Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Whole Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page &amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;130 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDebugLogWnd</name>
    <message>
        <source>Debug Log Window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceLookingDlg</name>
    <message>
        <source>Device Looking ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceOnNetworkDlg</name>
    <message>
        <source>Devices on Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IA;Version;Configuration;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDocumentInfoDlg</name>
    <message>
        <source>Document Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Company:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leader:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Creation Information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Revision Information </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDocumentPropertiesSheet</name>
    <message>
        <source>Document Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid Spacing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo levels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working directory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CEditCommands</name>
    <message>
        <source>&amp;Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;oundRectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Polyline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pol&amp;ygon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bloc&amp;k List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Horizontal Center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vertical Center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Center All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Edition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To &amp;Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To &amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;orward One</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B&amp;ackward One</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ungroup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Equal Horizontal &amp;Spacing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Equal Vertical S&amp;pacing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo several actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo several actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ordering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template - Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template - SaveAs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFillPropertyPage</name>
    <message>
        <source>Style:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hatch:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFunctionBlockDlg</name>
    <message>
        <source>Function Block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Functions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LINK Param</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conf Param</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adj Param</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CLinePropertyPage</name>
    <message>
        <source>Style:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export to PDA...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document &amp;Information...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document &amp;Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Selected...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Debug Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Block List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To &amp;Objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Online...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comm &amp;Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calibration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to start the help viewer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KESTREL Plus on the &amp;Web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gets help and other product information on the Internet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Varex files (*.vxi)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to PDA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported %1 and %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CObjectMenu</name>
    <message>
        <source>Show Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show all Ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide all Ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block &amp;Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CObjectPropertySheet</name>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>COnlineDlg</name>
    <message>
        <source>Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Device Address </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Line </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Device Information </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config. Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the IP address of the controller.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPrintCommands</name>
    <message>
        <source>Print to PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPrintSelectedDlg</name>
    <message>
        <source>Print Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Standard Header and Footer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of non default Parameter values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Setup...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTabChildFrame</name>
    <message>
        <source>Loop Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the Loop name:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTabFunctList</name>
    <message>
        <source>Block ID</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTextEntryDlg</name>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTextPropertyPage</name>
    <message>
        <source>Alignment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opaque background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTransferCommands</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download of %1 to address %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload of %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
