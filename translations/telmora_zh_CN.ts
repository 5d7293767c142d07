<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>ChartPrintJob</name>
    <message>
        <source>printed %1    page %2 of %3</source>
        <translation>打印于 %1    第 %2 页，共 %3 页</translation>
    </message>
    <message>
        <source>%1    printed %2    page %3 of %4</source>
        <translation>%1    打印于 %2    第 %3 页，共 %4 页</translation>
    </message>
</context>
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>比较器上下限设置</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>上限 : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>下限 : </translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>%1: above the upper limit</source>
        <translation>%1：高于上限</translation>
    </message>
    <message>
        <source>%1: below the lower limit</source>
        <translation>%1：低于下限</translation>
    </message>
    <message>
        <source>%1: within the limits</source>
        <translation>%1：在上下限之内</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>比较器上下限设置</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>Sheet%1</source>
        <translation>工作表%1</translation>
    </message>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation>此行之前有一段时间没有读数。</translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation>转到样本(&amp;G)…</translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation>转到指定样本编号所在的行 (Ctrl+G)</translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation>转到样本</translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation>样本编号（1 至 %1）：</translation>
    </message>
</context>
<context>
    <name>DesktopAlerts</name>
    <message>
        <source>Meter link ended</source>
        <translation>仪表连接已结束</translation>
    </message>
    <message>
        <source>Waiting for the meter</source>
        <translation>正在等待仪表</translation>
    </message>
    <message>
        <source>Comparator alarm</source>
        <translation>比较器报警</translation>
    </message>
    <message>
        <source>The reading is above the upper limit of %1.</source>
        <translation>读数高于上限 %1。</translation>
    </message>
    <message>
        <source>The reading is below the lower limit of %1.</source>
        <translation>读数低于下限 %1。</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>记录已停止</translation>
    </message>
</context>
<context>
    <name>DigitalMeterWindow</name>
    <message>
        <source>No Device</source>
        <translation>无设备</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USB 设备</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation>整齐的 CSV（日期、时间、SI 数值）</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>布局</translation>
    </message>
    <message>
        <source>Long (a row per meter and sample)</source>
        <translation>长格式（每台仪表每个采样一行）</translation>
    </message>
    <message>
        <source>Wide (a column per meter)</source>
        <translation>宽格式（每台仪表一列）</translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation>文件: </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>打印机: </translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>Find in the manual (Ctrl+F)</source>
        <translation>在手册中查找 (Ctrl+F)</translation>
    </message>
</context>
<context>
    <name>IntervalDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation>曲线颜色</translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation>曲线颜色 1...</translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation>曲线颜色 2...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation>所有数据组</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>数据组 %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Intervals</source>
        <translation>区间(&amp;I)</translation>
    </message>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation>电缆已插入，但当前用户无权打开它。请检查是否已安装 udev 规则 70-telmora-cable.rules，并确认您属于 plugdev 组：</translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation>然后重新登录并重新插入电缆。</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation>请检查电缆是否已连接到计算机和万用表。</translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation>电缆已插入，但无法打开。</translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation>自动重新连接(&amp;R)</translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation>正在等待电缆…</translation>
    </message>
    <message>
        <source>Graphical &amp;viewer</source>
        <translation>图形查看器(&amp;V)</translation>
    </message>
    <message>
        <source>Data L&amp;ogger</source>
        <translation>数据记录器(&amp;O)</translation>
    </message>
    <message>
        <source>Readings paused: logger memory is read</source>
        <translation>读数已暂停：正在读取记录器存储</translation>
    </message>
    <message>
        <source>Desktop &amp;notifications</source>
        <translation>桌面通知(&amp;N)</translation>
    </message>
    <message>
        <source>Telmora &amp;Help</source>
        <translation>Telmora 帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Rename meter</source>
        <translation>重命名仪表</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>%1 的新名称：</translation>
    </message>
    <message>
        <source>New name for %1 (%2):</source>
        <translation>%1（%2）的新名称：</translation>
    </message>
    <message>
        <source>Link &amp;all</source>
        <translation>全部连接(&amp;A)</translation>
    </message>
    <message>
        <source>Logger memory fr&amp;om</source>
        <translation>记录器内存来源(&amp;O)</translation>
    </message>
    <message>
        <source>Re&amp;name meter</source>
        <translation>重命名仪表(&amp;N)</translation>
    </message>
    <message>
        <source>%1 meters linked</source>
        <translation>已连接 %1 台仪表</translation>
    </message>
    <message>
        <source>&amp;Publish readings...</source>
        <translation>发布读数(&amp;P)...</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math channel</source>
        <translation>计算通道</translation>
    </message>
    <message>
        <source>Expression of the meters&apos; readings (for example M1 * M2 or M1 - M2);
leave it empty for no math channel. The meters are:</source>
        <translation>仪表读数的表达式（例如 M1 * M2 或 M1 - M2）；
留空表示不使用计算通道。仪表如下：</translation>
    </message>
    <message>
        <source>The expression cannot be used.</source>
        <translation>无法使用该表达式。</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>另存为(&amp;S)…</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>丢弃(&amp;D)</translation>
    </message>
</context>
<context>
    <name>MeterStrip</name>
    <message>
        <source>Meters</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Above the upper limit</source>
        <translation>高于上限</translation>
    </message>
    <message>
        <source>Below the lower limit</source>
        <translation>低于下限</translation>
    </message>
    <message>
        <source>Within the limits</source>
        <translation>在限值之内</translation>
    </message>
    <message>
        <source>Min %1 / Max %2</source>
        <translation>最小 %1 / 最大 %2</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>The broker address must start with mqtt:// or mqtts://.</source>
        <translation>代理地址必须以 mqtt:// 或 mqtts:// 开头。</translation>
    </message>
    <message>
        <source>The broker address takes no path after the host.</source>
        <translation>代理地址在主机之后不能带路径。</translation>
    </message>
    <message>
        <source>Give the user name and password in their own fields, not in the broker address.</source>
        <translation>请在各自的字段中填写用户名和密码，而不是写在代理地址中。</translation>
    </message>
    <message>
        <source>The IPv6 address lacks its closing ].</source>
        <translation>IPv6 地址缺少结尾的 ]。</translation>
    </message>
    <message>
        <source>Unexpected text after the host.</source>
        <translation>主机之后有多余的文本。</translation>
    </message>
    <message>
        <source>The broker address has no host.</source>
        <translation>代理地址中没有主机。</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>端口必须是 1 到 65535 之间的数字。</translation>
    </message>
    <message>
        <source>The topic prefix must not contain + or #.</source>
        <translation>主题前缀不能包含 + 或 #。</translation>
    </message>
    <message>
        <source>The topic prefix is too long.</source>
        <translation>主题前缀太长。</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish readings</source>
        <translation>发布读数</translation>
    </message>
    <message>
        <source>The publishing settings could not be kept.</source>
        <translation>无法保存发布设置。</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation>密码保存在桌面的密钥存储中。</translation>
    </message>
    <message>
        <source>No secret store was found: the password is kept in %1, which only you can read.</source>
        <translation>未找到密钥存储：密码保存在 %1 中，只有您可以读取。</translation>
    </message>
    <message>
        <source>The password is kept until Telmora ends: the configuration folder cannot be used.</source>
        <translation>密码仅保留到 Telmora 结束：无法使用配置文件夹。</translation>
    </message>
    <message>
        <source>&amp;Publish every reading to an MQTT broker</source>
        <translation>将每个读数发布到 MQTT 代理(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>代理(&amp;B)：</translation>
    </message>
    <message>
        <source>chosen by Telmora</source>
        <translation>由 Telmora 选择</translation>
    </message>
    <message>
        <source>&amp;Client id:</source>
        <translation>客户端 ID(&amp;C)：</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>用户名(&amp;U)：</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>密码(&amp;W)：</translation>
    </message>
    <message>
        <source>&amp;Topic prefix:</source>
        <translation>主题前缀(&amp;T)：</translation>
    </message>
    <message>
        <source>0 - at most once</source>
        <translation>0 - 最多一次</translation>
    </message>
    <message>
        <source>1 - at least once</source>
        <translation>1 - 至少一次</translation>
    </message>
    <message>
        <source>&amp;Quality of service:</source>
        <translation>服务质量(&amp;Q)：</translation>
    </message>
    <message>
        <source>the system&apos;s certificates (mqtts only)</source>
        <translation>系统证书（仅 mqtts）</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>浏览(&amp;R)...</translation>
    </message>
    <message>
        <source>C&amp;A certificate:</source>
        <translation>CA 证书(&amp;A)：</translation>
    </message>
    <message>
        <source>Each meter publishes to %1/&lt;serial number&gt;/reading, …/statistics and …/status.</source>
        <translation>每台仪表发布到 %1/&lt;序列号&gt;/reading、…/statistics 和 …/status。</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>CA 证书</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>证书 (*.pem *.crt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The broker address cannot be used.</source>
        <translation>无法使用该代理地址。</translation>
    </message>
    <message>
        <source>The topic prefix cannot be used.</source>
        <translation>无法使用该主题前缀。</translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>No readings yet</source>
        <translation>尚无读数</translation>
    </message>
    <message>
        <source>Newest reading %1 at %2, lowest %3, highest %4</source>
        <translation>最新读数 %1（%2），最低 %3，最高 %4</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>数据记录器</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>读数</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>最小</translation>
    </message>
</context>
<context>
    <name>RecorderText</name>
    <message>
        <source>[cannot be read: the recording&apos;s file has become shorter]</source>
        <translation>[无法读取：记录文件已变短]</translation>
    </message>
</context>
<context>
    <name>RecorderWindow</name>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>unsaved recording</source>
        <translation>未保存的记录</translation>
    </message>
    <message>
        <source>Writing the file…</source>
        <translation>正在写入文件…</translation>
    </message>
    <message>
        <source>%1 of %2 samples written</source>
        <translation>已写入 %1 / %2 个样本</translation>
    </message>
    <message>
        <source>M&amp;ath channel...</source>
        <translation>计算通道(&amp;A)...</translation>
    </message>
    <message>
        <source>Telmora recording</source>
        <translation>Telmora 记录</translation>
    </message>
    <message>
        <source>Meter %1</source>
        <translation>仪表 %1</translation>
    </message>
    <message>
        <source>T&amp;rigger...</source>
        <translation>触发(&amp;R)...</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>正在等待 %1</translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation>将光标移到最大样本</translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation>将光标移到最小样本</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>数据记录器</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>读数</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>显示部分</translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation>Telmora 在记录过程中意外退出。是否打开 %1 的记录（共 %2 个样本）？</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>无法创建文件 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>无法写入文件 %1：%2</translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation>主显示</translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation>副显示</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation>副显示</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>数据组</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>读数</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>数据组 %1</translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation>从万用表下载的数据组</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation>本次运行的设置和窗口位置不会被保存。</translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation>记录过程中无法将数据保存到磁盘，因此拒绝记录。</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>过载次数</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>显示部分</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>统计</translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation>未使用文件夹 %1：%2。</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Alarm: %1 went above the upper limit</source>
        <translation>报警：%1 超过上限</translation>
    </message>
    <message>
        <source>Alarm: %1 went below the lower limit</source>
        <translation>报警：%1 低于下限</translation>
    </message>
    <message>
        <source>The cable of %1 was lost</source>
        <translation>%1 的电缆已断开</translation>
    </message>
    <message>
        <source>The cable of %1 is back</source>
        <translation>%1 的电缆已恢复</translation>
    </message>
    <message>
        <source>The markers kept with this recording could not be read; the recording was opened without them.</source>
        <translation>无法读取此记录的标记；记录已在没有标记的情况下打开。</translation>
    </message>
    <message>
        <source>The markers could not be kept beside the recording&apos;s temporary files. Until the recording is saved they are held only in memory.</source>
        <translation>无法将标记保存在记录的临时文件旁边。在保存记录之前，它们只保存在内存中。</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation>版权所有 (C) 2026 Telmora 开发者</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>数字表</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>指针表</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>比较器</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>数据列表</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>图形记录仪</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>图形查看器</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>采集间隔选项</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>导出数据记录</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>数据记录器</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>采集方式</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>全速</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>自定义...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>间隔（秒）</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>输入一个整数？ </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>图元文件</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>位图</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>仅文本/数据</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>剪贴板</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>打印机</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>页面范围</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>所有页</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>本页</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>To</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>对象尺寸</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>不指定尺寸</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>像素</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>毫米</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>英寸</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>磅</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>打印机设置(&amp;U)...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>从万用表导入数据(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>清除(&amp;C)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>关闭(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>连接(&amp;L)</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>断开(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation>清除所有数据</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>平铺(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>数字表(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>指针表(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>比较器(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>图形记录仪(&amp;G)</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>数据列表(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>端口(&amp;P)</translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation>COM 端口(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation>USB 端口(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>采集(&amp;A)</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>开始(&amp;T)</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>停止(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>手动(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>间隔(&amp;I)...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>第一页(&amp;I)</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>上一页(&amp;U)</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>下一页(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>最后一页(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>打印本页(&amp;P) ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>导出(&amp;X) ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>曲线颜色(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>显示全部数据(&amp;F)</translation>
    </message>
    <message>
        <source>Undo &amp;Zooming</source>
        <translation>撤销缩放(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>连接万用表</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>断开万用表</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>平铺窗口</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>数字表</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>指针表</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>数据列表</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>选择端口...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>开始采集</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>停止采集</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>打开文件...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>保存文件...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>打印本页</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>清除记录</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>间隔选项...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>手动采集</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>第一页</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>上一页</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>下一页</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>最后一页</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>显示全部数据</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>撤销缩放</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>从万用表导入数据</translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation>缓冲区中的所有数据将被清除。</translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation>正在转换...</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>正在记录数据 ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>缓冲区数据 : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>页 : %d / %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>退出前是否将数据保存到文件？</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>将在 3 秒后自动重试。</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>（将在 3 秒后自动继续。）</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>正在读取数据 : %d / %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>万用表电池电量低。</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>确实要清除缓冲区中的数据吗？</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>缓冲区中有数据。</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>未收到数据。</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>正在从所选文件读取数据，请稍候 ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>正在将数据加入缓冲区，请稍候...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>已是第一页。</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>已是最后一页。</translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation>确实要继续吗？</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>正在从万用表采集数据 ... 请稍候 ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>正在处理数据 ... 请稍候 ...</translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation>只能读取万用表存储器中完整的数据组。</translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation>记录仪仍在记录。
关闭窗口后是否继续记录？

是：在后台继续记录。
否：停止记录。
取消：窗口保持打开。</translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation>Telmora 意外退出时留下的记录仍保存在磁盘上，但现在无法接管。待磁盘有空间后，将在以后启动时再次提供。</translation>
    </message>
    <message>
        <source>Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:</source>
        <translation>此记录中并非所有仪表都已连接。在这些仪表连接并重新开始记录之前，它们只记录空缺：</translation>
    </message>
    <message>
        <source>Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?</source>
        <translation>Telmora 还留下了 %1 的记录，共 %2 个样本。选择“打开”的记录将在此记录之后打开。以新名称保存此记录，还是丢弃它？</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>警告[W%d]</translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation>文件已损坏，或不是本程序的文件。</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>开始记录数据之前，必须先单击连接按钮连接万用表。</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>无法在硬盘上创建实时临时存储文件。</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>文件打开错误。</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>文件保存错误。</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>系统内存不足！</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>不是有效的浮点数值！</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>限值设置不可接受。</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>请单击&quot;浏览&quot;并指定文件名！</translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation>未找到 USB 适配器电缆。</translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation>数据传输超时。</translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation>万用表未开机、未连接，或没有内置数据记录（DATA LOGGING）功能。</translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation>无法写入设置文件。</translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation>万用表没有应答。USB 适配器电缆已连接：请检查万用表是否已开机，以及电缆是否已插入万用表。</translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation>未设置打印机。请设置打印机，或选择打印到 PDF 文件。</translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation>无法打印图表。</translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation>保存此记录的文件已变短。文件中不再包含的样本无法显示、保存或导出，也不计入统计。</translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation>未使用某个 Telmora 文件夹，因为其他用户可能修改其中的文件。</translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation>最新样本无法写入硬盘上的临时存储，仅保存在内存中。记录已停止。</translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation>间隔必须是 0 到 %d 之间的整数秒。</translation>
    </message>
    <message>
        <source>Nothing was replaced: the files that were there before are as they were.</source>
        <translation>未替换任何文件：原有的文件保持不变。</translation>
    </message>
    <message>
        <source>M%d is not a meter of this recording (it has %d).</source>
        <translation>M%d 不是此记录中的仪表（此记录有 %d 个仪表）。</translation>
    </message>
    <message>
        <source>The expression cannot be read at character %d (counted from 1).</source>
        <translation>无法在第 %d 个字符处读取表达式（从 1 开始计数）。</translation>
    </message>
    <message>
        <source>The expression is not finished: a value or a closing parenthesis is missing at its end.</source>
        <translation>表达式不完整：末尾缺少一个值或右括号。</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>错误[E%d]</translation>
    </message>
    <message>
        <source>A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:</source>
        <translation>一个文本文件只保存一台仪表的读数，因此记录中的每台仪表都已导出到各自的文件：</translation>
    </message>
    <message>
        <source>A condition names a meter, &gt; or &lt; and a level, for example M1 &gt; 5 V or M2 &lt; 2.2k.</source>
        <translation>条件由仪表、&gt; 或 &lt; 以及阈值组成，例如 M1 &gt; 5 V 或 M2 &lt; 2.2k。</translation>
    </message>
    <message>
        <source>The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.</source>
        <translation>阈值不是数字。请用小数点作为小数分隔符书写，可加前缀（p、n、u、m、k、M、G、T），例如 2.2k。</translation>
    </message>
    <message>
        <source>The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.</source>
        <translation>仪表不显示该单位。请使用 V、A、ohm、Hz、F、S、degC、degF、dBm、%、W、VA 或 VAR，或者省略单位。</translation>
    </message>
    <message>
        <source>The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.</source>
        <translation>时间必须写成 HH:MM 或 HH:MM:SS，范围为 00:00 至 23:59:59。</translation>
    </message>
    <message>
        <source>The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.</source>
        <translation>停止条件必须是带单位的时长（90s、10m、1.5h）或至少为 1 的采样数。</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>开始记录</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>立即</translation>
    </message>
    <message>
        <source>When a value crosses a level:</source>
        <translation>当数值越过阈值时：</translation>
    </message>
    <message>
        <source>At the time of day:</source>
        <translation>在以下时间：</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>停止记录</translation>
    </message>
    <message>
        <source>By hand</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>After a duration (90s, 10m, 1.5h) or a number of samples:</source>
        <translation>经过一段时长（90s、10m、1.5h）或若干采样后：</translation>
    </message>
    <message>
        <source>When a condition holds:</source>
        <translation>当条件成立时：</translation>
    </message>
    <message>
        <source>Conditions read M1 &gt; 5 V or M2 &lt; 2.2k. The meters are:</source>
        <translation>条件写作 M1 &gt; 5 V 或 M2 &lt; 2.2k。仪表有：</translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation>单击以读取电缆的固件版本和序列号</translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation>电缆信息(&amp;C)</translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation>USB 连接数字万用表的桌面助手</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>版本 %1（Qt %2）</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation>依据 GNU GPL v3 或更高版本发布的自由软件；不提供任何担保。</translation>
    </message>
</context>
<context>
    <name>telmora::Application</name>
    <message>
        <source>Meter %1</source>
        <translation>仪表 %1</translation>
    </message>
</context>
<context>
    <name>telmora::ComparatorLimitsDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation>中止(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>继续(&amp;C)</translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>中止(&amp;A)</translation>
    </message>
</context>
<context>
    <name>telmora::ReadingPublisher</name>
    <message>
        <source>MQTT: no meter linked</source>
        <translation>MQTT：未连接仪表</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT：正在连接</translation>
    </message>
    <message>
        <source>MQTT: connected</source>
        <translation>MQTT：已连接</translation>
    </message>
    <message>
        <source>MQTT: not connected</source>
        <translation>MQTT：未连接</translation>
    </message>
    <message>
        <source>MQTT: refused</source>
        <translation>MQTT：被拒绝</translation>
    </message>
    <message>
        <source>%1 readings dropped</source>
        <translation>已丢弃 %1 个读数</translation>
    </message>
</context>
<context>
    <name>telmora::RecorderController</name>
    <message>
        <source>The recorder is busy.</source>
        <translation>记录器正忙。</translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation>第一个数据组</translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation>上一个数据组</translation>
    </message>
    <message>
        <source>Next session</source>
        <translation>下一个数据组</translation>
    </message>
    <message>
        <source>Last session</source>
        <translation>最后一个数据组</translation>
    </message>
</context>
<context>
    <name>MarkerCommands</name>
    <message>
        <source>Mar&amp;kers</source>
        <translation>标记(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Mark Sample...</source>
        <translation>标记样本(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Next Marker</source>
        <translation>下一个标记(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Previous Marker</source>
        <translation>上一个标记(&amp;P)</translation>
    </message>
    <message>
        <source>Markers P&amp;anel</source>
        <translation>标记面板(&amp;A)</translation>
    </message>
    <message>
        <source>Mark the current sample (Ctrl+M)</source>
        <translation>标记当前样本 (Ctrl+M)</translation>
    </message>
    <message>
        <source>Mark sample %1</source>
        <translation>标记样本 %1</translation>
    </message>
    <message>
        <source>Note (may be left empty):</source>
        <translation>备注（可留空）：</translation>
    </message>
</context>
<context>
    <name>MarkersPanel</name>
    <message>
        <source>Markers</source>
        <translation>标记</translation>
    </message>
    <message>
        <source>Markers of the recording</source>
        <translation>记录的标记</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样本</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>转到</translation>
    </message>
    <message>
        <source>Edit Note...</source>
        <translation>编辑备注...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Marker at sample %1</source>
        <translation>样本 %1 处的标记</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>备注：</translation>
    </message>
</context>
<context>
    <name>LimitCountsView</name>
    <message>
        <source>Limits</source>
        <translation>限值</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>限值内</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>高于</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>低于</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>越限次数</translation>
    </message>
    <message>
        <source>Samples inside the limits</source>
        <translation>限值内的采样</translation>
    </message>
    <message>
        <source>Samples above the upper limit</source>
        <translation>高于上限的采样</translation>
    </message>
    <message>
        <source>Samples below the lower limit</source>
        <translation>低于下限的采样</translation>
    </message>
    <message>
        <source>Excursions outside the limits</source>
        <translation>超出限值的次数</translation>
    </message>
</context>
<context>
    <name>IntervalTableModel</name>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>过载</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>限值内</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>高于</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>低于</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>越限次数</translation>
    </message>
</context>
<context>
    <name>IntervalsPanel</name>
    <message>
        <source>1 second</source>
        <translation>1 秒</translation>
    </message>
    <message>
        <source>10 seconds</source>
        <translation>10 秒</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 分钟</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 分钟</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 天</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>区间</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>区间(&amp;I):</translation>
    </message>
    <message>
        <source>Interval length</source>
        <translation>区间长度</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Export the intervals as CSV</source>
        <translation>将区间导出为 CSV</translation>
    </message>
    <message>
        <source>Figures of each interval</source>
        <translation>各区间的统计值</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>正在统计...</translation>
    </message>
    <message>
        <source>Export Intervals</source>
        <translation>导出区间</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*)|*</source>
        <translation>CSV 文件 (*.csv)|*.csv|所有文件 (*)|*</translation>
    </message>
</context>
</TS>
