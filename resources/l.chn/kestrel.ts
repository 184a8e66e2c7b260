<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAppMessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
</context>
<context>
    <name>CBlockListPanel</name>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>&lt; end &gt;</source>
        <translation>&lt; 结束 &gt;</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>编辑参数(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>CBlockMonitorDlg</name>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Go Online</source>
        <translation>在线</translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source> Device </source>
        <translation> 设备 </translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation>查找(&amp;L)</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>组态:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址:</translation>
    </message>
    <message>
        <source> Mode </source>
        <translation> 模式 </translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>下载(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Certificate...</source>
        <translation>证书(&amp;C)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Press Look to find the controller, then choose a mode.</source>
        <translation>按"查找"找到控制器，然后选择一种模式。</translation>
    </message>
    <message>
        <source>Click the titles of the inputs to calibrate, then double-click the point at which the controller calibrates them.</source>
        <translation>单击要标定的输入的标题，然后双击控制器进行标定的点。</translation>
    </message>
    <message>
        <source>Double-click a value to change it; Download writes the table.</source>
        <translation>双击数值可修改；"下载"写入该表。</translation>
    </message>
    <message>
        <source>Calibration Certificate</source>
        <translation>标定证书</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CColorBar</name>
    <message>
        <source>Line color</source>
        <translation>线条颜色</translation>
    </message>
    <message>
        <source>Fill color</source>
        <translation>填充颜色</translation>
    </message>
</context>
<context>
    <name>CCommSettings</name>
    <message>
        <source>Communication Settings</source>
        <translation>通信设置</translation>
    </message>
    <message>
        <source> Interface </source>
        <translation> 接口 </translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>Communication Port:</source>
        <translation>通信端口:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率:</translation>
    </message>
    <message>
        <source>IP/URL Address:</source>
        <translation>IP/URL 地址:</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>超时:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>Retries:</source>
        <translation>重试次数:</translation>
    </message>
    <message>
        <source>Monitoring Period:</source>
        <translation>监视周期:</translation>
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
        <translation>另存为</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>KESTREL Plus 文件 (*.vxp)</translation>
    </message>
</context>
<context>
    <name>CConfPreviewView</name>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation>首页(&amp;F)</translation>
    </message>
    <message>
        <source>P&amp;rev Page</source>
        <translation>上一页(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>下一页(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation>末页(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Whole Page</source>
        <translation>整页(&amp;W)</translation>
    </message>
    <message>
        <source>Page &amp;Width</source>
        <translation>页宽(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;130 %</source>
        <translation>&amp;130 %</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation>第 %1-%2 页</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
</context>
<context>
    <name>CDebugLogWnd</name>
    <message>
        <source>Debug Log Window</source>
        <translation>调试日志窗口</translation>
    </message>
</context>
<context>
    <name>CDeviceLookingDlg</name>
    <message>
        <source>Device Looking ...</source>
        <translation>正在查找设备 ...</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>设备: %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CDeviceOnNetworkDlg</name>
    <message>
        <source>Devices on Network</source>
        <translation>网络上的设备</translation>
    </message>
    <message>
        <source>IA;Version;Configuration;</source>
        <translation>地址;版本;组态;</translation>
    </message>
</context>
<context>
    <name>CDocumentInfoDlg</name>
    <message>
        <source>Document Information</source>
        <translation>文档信息</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>公司:</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>项目:</translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation>修订:</translation>
    </message>
    <message>
        <source>Leader:</source>
        <translation>负责人:</translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation>编程人员:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>说明:</translation>
    </message>
    <message>
        <source>CPU:</source>
        <translation>CPU:</translation>
    </message>
    <message>
        <source> Creation Information </source>
        <translation> 创建信息 </translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日期:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本:</translation>
    </message>
    <message>
        <source>Build:</source>
        <translation>程序版本:</translation>
    </message>
    <message>
        <source> Revision Information </source>
        <translation> 修订信息 </translation>
    </message>
</context>
<context>
    <name>CDocumentPropertiesSheet</name>
    <message>
        <source>Document Properties</source>
        <translation>文档属性</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>线条</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>显示网格</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>对齐网格</translation>
    </message>
    <message>
        <source>Grid Spacing:</source>
        <translation>网格间距:</translation>
    </message>
    <message>
        <source>Undo levels:</source>
        <translation>撤消级数:</translation>
    </message>
    <message>
        <source>Paper Color:</source>
        <translation>纸张颜色:</translation>
    </message>
    <message>
        <source>Grid Color:</source>
        <translation>网格颜色:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Working directory:</source>
        <translation>工作目录:</translation>
    </message>
    <message>
        <source>Working directory</source>
        <translation>工作目录</translation>
    </message>
</context>
<context>
    <name>CEditCommands</name>
    <message>
        <source>&amp;Line</source>
        <translation>直线(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>矩形(&amp;R)</translation>
    </message>
    <message>
        <source>R&amp;oundRectangle</source>
        <translation>圆角矩形(&amp;O)</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>&amp;Polyline</source>
        <translation>折线(&amp;P)</translation>
    </message>
    <message>
        <source>Pol&amp;ygon</source>
        <translation>多边形(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>文字(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Block</source>
        <translation>功能块(&amp;B)</translation>
    </message>
    <message>
        <source>Bloc&amp;k List</source>
        <translation>块列表(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>左对齐(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>右对齐(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>顶端对齐(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>底端对齐(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Horizontal Center</source>
        <translation>水平居中(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Vertical Center</source>
        <translation>垂直居中(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Center All</source>
        <translation>全部居中(&amp;C)</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤消(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>复制副本(&amp;C)</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>属性(&amp;T)...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>编辑参数(&amp;E)...</translation>
    </message>
    <message>
        <source>Lock Edition</source>
        <translation>锁定编辑</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>选择(&amp;S)</translation>
    </message>
    <message>
        <source>To &amp;Front</source>
        <translation>置于顶层(&amp;F)</translation>
    </message>
    <message>
        <source>To &amp;Back</source>
        <translation>置于底层(&amp;B)</translation>
    </message>
    <message>
        <source>F&amp;orward One</source>
        <translation>上移一层(&amp;O)</translation>
    </message>
    <message>
        <source>B&amp;ackward One</source>
        <translation>下移一层(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Group</source>
        <translation>组合(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Ungroup</source>
        <translation>取消组合(&amp;U)</translation>
    </message>
    <message>
        <source>Equal Horizontal &amp;Spacing</source>
        <translation>水平等间距(&amp;S)</translation>
    </message>
    <message>
        <source>Equal Vertical S&amp;pacing</source>
        <translation>垂直等间距(&amp;P)</translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation>插入...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>模板(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>绘图(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Order</source>
        <translation>排列(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation>对齐(&amp;A)</translation>
    </message>
    <message>
        <source>Undo several actions</source>
        <translation>撤消多个操作</translation>
    </message>
    <message>
        <source>Redo several actions</source>
        <translation>重做多个操作</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>绘图</translation>
    </message>
    <message>
        <source>Ordering</source>
        <translation>排列</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>对齐</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>线宽</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>文档</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>通信</translation>
    </message>
    <message>
        <source>Template - Insert</source>
        <translation>模板 - 插入</translation>
    </message>
    <message>
        <source>Template - SaveAs</source>
        <translation>模板 - 另存为</translation>
    </message>
</context>
<context>
    <name>CFillPropertyPage</name>
    <message>
        <source>Style:</source>
        <translation>样式:</translation>
    </message>
    <message>
        <source>Hatch:</source>
        <translation>阴影线:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
</context>
<context>
    <name>CFunctionBlockDlg</name>
    <message>
        <source>Function Block</source>
        <translation>功能块</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>LINK Param</source>
        <translation>LINK 参数</translation>
    </message>
    <message>
        <source>Conf Param</source>
        <translation>CONF 参数</translation>
    </message>
    <message>
        <source>Adj Param</source>
        <translation>ADJ 参数</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>输出</translation>
    </message>
</context>
<context>
    <name>CGraphPortSelDlg</name>
    <message>
        <source>Select Input/Output port</source>
        <translation>选择输入/输出端口</translation>
    </message>
    <message>
        <source>&amp;Terminal:</source>
        <translation>端子(&amp;T):</translation>
    </message>
</context>
<context>
    <name>CLinePropertyPage</name>
    <message>
        <source>Style:</source>
        <translation>样式:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
</context>
<context>
    <name>CLoopView</name>
    <message>
        <source>Send Link To</source>
        <translation>连线发送到</translation>
    </message>
    <message>
        <source>Communication Link</source>
        <translation>通信连线</translation>
    </message>
    <message>
        <source>Cancel the link</source>
        <translation>取消连线</translation>
    </message>
</context>
<context>
    <name>CLoopViewOnline</name>
    <message>
        <source>Monitoring</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Go Offline</source>
        <translation>离线</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Window</source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>层叠(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>平铺(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>导入(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export to PDA...</source>
        <translation>导出到 PDA(&amp;E)...</translation>
    </message>
    <message>
        <source>Document &amp;Information...</source>
        <translation>文档信息(&amp;I)...</translation>
    </message>
    <message>
        <source>Document &amp;Properties...</source>
        <translation>文档属性(&amp;P)...</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>最近的文件(&amp;F)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Print Selected...</source>
        <translation>打印所选内容(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Print to P&amp;DF...</source>
        <translation>打印到 PDF(&amp;D)...</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Debug Log</source>
        <translation>调试日志(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Block List</source>
        <translation>块列表(&amp;B)</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Full</source>
        <translation>全图(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation>宽度(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <translation>一半(&amp;H)</translation>
    </message>
    <message>
        <source>To &amp;Objects</source>
        <translation>适合对象(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>通信(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Online...</source>
        <translation>在线(&amp;O)...</translation>
    </message>
    <message>
        <source>Comm &amp;Settings...</source>
        <translation>通信设置(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Calibration...</source>
        <translation>标定(&amp;C)...</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>帮助主题(&amp;H)</translation>
    </message>
    <message>
        <source>Unable to start the help viewer.</source>
        <translation>无法打开帮助。</translation>
    </message>
    <message>
        <source>KESTREL Plus on the &amp;Web</source>
        <translation>KESTREL Plus 网站(&amp;W)</translation>
    </message>
    <message>
        <source>Gets help and other product information on the Internet.</source>
        <translation>在 Internet 上获取帮助和其他产品信息。</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source> Configuration: </source>
        <translation> 组态: </translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>已打开 %1</translation>
    </message>
    <message>
        <source>KESTREL Plus Files (*.vxp)</source>
        <translation>KESTREL Plus 文件 (*.vxp)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Varex files (*.vxi)</source>
        <translation>Varex 文件 (*.vxi)</translation>
    </message>
    <message>
        <source>Export to PDA</source>
        <translation>导出到 PDA</translation>
    </message>
    <message>
        <source>Exported %1 and %2 to %3</source>
        <translation>已将 %1 和 %2 导出到 %3</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>&amp;Block Library</source>
        <translation>功能块库(&amp;B)</translation>
    </message>
    <message>
        <source>Recovered %1</source>
        <translation>已恢复 %1</translation>
    </message>
</context>
<context>
    <name>CMonitoredParamList</name>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
</context>
<context>
    <name>CObjectMenu</name>
    <message>
        <source>Show Port</source>
        <translation>显示端口</translation>
    </message>
    <message>
        <source>Show all Ports</source>
        <translation>显示所有端口</translation>
    </message>
    <message>
        <source>Hide all Ports</source>
        <translation>隐藏所有端口</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Proper&amp;ties...</source>
        <translation>属性(&amp;T)...</translation>
    </message>
    <message>
        <source>&amp;Edit Parameters...</source>
        <translation>编辑参数(&amp;E)...</translation>
    </message>
    <message>
        <source>Block &amp;Size</source>
        <translation>块大小(&amp;S)</translation>
    </message>
    <message>
        <source>Smallest</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Largest</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Dupli&amp;cate</source>
        <translation>复制副本(&amp;C)</translation>
    </message>
    <message>
        <source>Add to Trend</source>
        <translation>添加到趋势</translation>
    </message>
</context>
<context>
    <name>CObjectPropertySheet</name>
    <message>
        <source>Line</source>
        <translation>线条</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
</context>
<context>
    <name>COnlineCommands</name>
    <message>
        <source>&amp;Monitor</source>
        <translation>监视(&amp;M)</translation>
    </message>
    <message>
        <source>Monitor controller.
Monitor</source>
        <translation>监视控制器。
监视</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>更新(&amp;U)</translation>
    </message>
    <message>
        <source>Sents the changed LOOP(s) to controller.
Update</source>
        <translation>将已更改的回路发送到控制器。
更新</translation>
    </message>
    <message>
        <source>Monitor current &amp;block</source>
        <translation>监视当前功能块(&amp;B)</translation>
    </message>
    <message>
        <source>Monitor current block.
Monitor</source>
        <translation>监视当前功能块。
监视</translation>
    </message>
    <message>
        <source>Online: %1</source>
        <translation>在线: %1</translation>
    </message>
    <message>
        <source>Online: the worker could not start</source>
        <translation>在线: 通信任务无法启动</translation>
    </message>
    <message>
        <source>Update: %1</source>
        <translation>更新: %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>趋势</translation>
    </message>
</context>
<context>
    <name>COnlineDlg</name>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source> Device Address </source>
        <translation> 设备地址 </translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址:</translation>
    </message>
    <message>
        <source>Check from:</source>
        <translation>检查范围从:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source> Line </source>
        <translation> 通信线路 </translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation>串口:</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址:</translation>
    </message>
    <message>
        <source> Device Information </source>
        <translation> 设备信息 </translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本:</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>组态:</translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation>周期:</translation>
    </message>
    <message>
        <source>Release:</source>
        <translation>发行版:</translation>
    </message>
    <message>
        <source>Config. Date:</source>
        <translation>组态日期:</translation>
    </message>
    <message>
        <source>&amp;Look</source>
        <translation>查找(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>下载(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>上传(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Go Online</source>
        <translation>进入在线(&amp;G)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>请输入 %1 到 %2 之间的整数。</translation>
    </message>
    <message>
        <source>Enter the IP address of the controller.</source>
        <translation>请输入控制器的 IP 地址。</translation>
    </message>
</context>
<context>
    <name>CPrintCommands</name>
    <message>
        <source>Print to PDF</source>
        <translation>打印到 PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CPrintSelectedDlg</name>
    <message>
        <source>Print Selected</source>
        <translation>打印所选内容</translation>
    </message>
    <message>
        <source>Loops</source>
        <translation>回路</translation>
    </message>
    <message>
        <source>Show Standard Header and Footer</source>
        <translation>显示标准页眉和页脚</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>List of Parameters</source>
        <translation>参数列表</translation>
    </message>
    <message>
        <source>List of non default Parameter values</source>
        <translation>非默认参数值列表</translation>
    </message>
    <message>
        <source>Print Setup...</source>
        <translation>打印设置...</translation>
    </message>
</context>
<context>
    <name>CTabChildFrame</name>
    <message>
        <source>Loop Name</source>
        <translation>回路名称</translation>
    </message>
    <message>
        <source>Enter the Loop name:</source>
        <translation>请输入回路名称:</translation>
    </message>
</context>
<context>
    <name>CTabFunctList</name>
    <message>
        <source>Block ID</source>
        <translation>块标识</translation>
    </message>
</context>
<context>
    <name>CTextEntryDlg</name>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>文字(&amp;T):</translation>
    </message>
</context>
<context>
    <name>CTextPropertyPage</name>
    <message>
        <source>Alignment:</source>
        <translation>对齐:</translation>
    </message>
    <message>
        <source>Text Color:</source>
        <translation>文字颜色:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>背景颜色:</translation>
    </message>
    <message>
        <source>Opaque background</source>
        <translation>不透明背景</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>大小:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
</context>
<context>
    <name>CTransferCommands</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Download of %1 to address %2: %3</source>
        <translation>%1 下载到地址 %2: %3</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Upload of %1: %2</source>
        <translation>%1 上传: %2</translation>
    </message>
</context>
<context>
    <name>CTrendPanel</name>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source> (set %1 ms)</source>
        <translation>(设定 %1 ms)</translation>
    </message>
    <message>
        <source>Period: %1 ms achieved</source>
        <translation>周期: 实际 %1 ms</translation>
    </message>
    <message>
        <source>Period: -</source>
        <translation>周期: -</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>KESTREL Plus did not end normally. Recovery copies of unsaved changes were kept:
%1

Recovered documents open as changed documents; your files stay as they are until you save.</source>
        <translation>KESTREL Plus 未正常结束。已保留未保存更改的恢复副本:
%1

恢复的文档将作为已更改的文档打开;在您保存之前,您的文件保持不变。</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>丢弃</translation>
    </message>
</context>
</TS>
