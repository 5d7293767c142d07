<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntervalDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
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
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Save &amp;As…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>Data Logger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderText</name>
    <message>
        <source>[cannot be read: the recording&apos;s file has become shorter]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderWindow</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Zooming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>telmora::ComparatorLimitsDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last session</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
