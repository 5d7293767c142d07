<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ChartPrintJob</name>
    <message>
        <source>printed %1    page %2 of %3</source>
        <translation>gedruckt %1    Seite %2 von %3</translation>
    </message>
    <message>
        <source>%1    printed %2    page %3 of %4</source>
        <translation>%1    gedruckt %2    Seite %3 von %4</translation>
    </message>
</context>
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Komparator: obere und untere Grenze einstellen</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>Obergrenze : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>Untergrenze : </translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>%1: above the upper limit</source>
        <translation>%1: über der oberen Grenze</translation>
    </message>
    <message>
        <source>%1: below the lower limit</source>
        <translation>%1: unter der unteren Grenze</translation>
    </message>
    <message>
        <source>%1: within the limits</source>
        <translation>%1: innerhalb der Grenzen</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Komparator: obere und untere Grenze einstellen</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>Sheet%1</source>
        <translation>Tabelle%1</translation>
    </message>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation>Vor dieser Zeile kamen eine Zeit lang keine Messwerte an.</translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation>&amp;Gehe zu Messwert…</translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation>Zur Zeile eines Messwerts mit dieser Nummer gehen (Strg+G)</translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation>Gehe zu Messwert</translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation>Messwertnummer (1 bis %1):</translation>
    </message>
</context>
<context>
    <name>DesktopAlerts</name>
    <message>
        <source>Meter link ended</source>
        <translation>Verbindung zum Messgerät beendet</translation>
    </message>
    <message>
        <source>Waiting for the meter</source>
        <translation>Warten auf das Messgerät</translation>
    </message>
    <message>
        <source>Comparator alarm</source>
        <translation>Komparator-Alarm</translation>
    </message>
    <message>
        <source>The reading is above the upper limit of %1.</source>
        <translation>Der Messwert liegt über dem oberen Grenzwert von %1.</translation>
    </message>
    <message>
        <source>The reading is below the lower limit of %1.</source>
        <translation>Der Messwert liegt unter dem unteren Grenzwert von %1.</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>Aufzeichnung angehalten</translation>
    </message>
</context>
<context>
    <name>DigitalMeterWindow</name>
    <message>
        <source>No Device</source>
        <translation>Kein Gerät</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USB-Gerät</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation>Aufgeräumtes CSV (Datum, Uhrzeit, SI-Werte)</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Aufbau</translation>
    </message>
    <message>
        <source>Long (a row per meter and sample)</source>
        <translation>Lang (eine Zeile je Messgerät und Messwert)</translation>
    </message>
    <message>
        <source>Wide (a column per meter)</source>
        <translation>Breit (eine Spalte je Messgerät)</translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation>Datei: </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>Drucker: </translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Find in the manual (Ctrl+F)</source>
        <translation>Im Handbuch suchen (Strg+F)</translation>
    </message>
</context>
<context>
    <name>IntervalDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation>Farbe der Messkurve</translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation>Linienfarbe 1...</translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation>Linienfarbe 2...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation>Alle Messreihen</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Messreihe %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Intervals</source>
        <translation>&amp;Intervalle</translation>
    </message>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation>Das Kabel ist eingesteckt, aber dieser Benutzer darf es nicht öffnen. Prüfen Sie, ob die udev-Regel 70-telmora-cable.rules installiert ist und Sie zur Gruppe plugdev gehören:</translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation>melden Sie sich dann neu an und stecken Sie das Kabel erneut ein.</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation>Prüfen Sie, ob das Kabel am Computer und am Messgerät eingesteckt ist.</translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation>Das Kabel ist eingesteckt, lässt sich aber nicht öffnen.</translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation>Automatisch &amp;neu verbinden</translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation>Warte auf das Kabel…</translation>
    </message>
    <message>
        <source>Graphical &amp;viewer</source>
        <translation>Grafische &amp;Ansicht</translation>
    </message>
    <message>
        <source>Data L&amp;ogger</source>
        <translation>Datenl&amp;ogger</translation>
    </message>
    <message>
        <source>Readings paused: logger memory is read</source>
        <translation>Messwerte angehalten: Loggerspeicher wird gelesen</translation>
    </message>
    <message>
        <source>Desktop &amp;notifications</source>
        <translation>Desktop-&amp;Benachrichtigungen</translation>
    </message>
    <message>
        <source>Telmora &amp;Help</source>
        <translation>Telmora-&amp;Hilfe</translation>
    </message>
    <message>
        <source>Rename meter</source>
        <translation>Messgerät umbenennen</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Neuer Name für %1:</translation>
    </message>
    <message>
        <source>New name for %1 (%2):</source>
        <translation>Neuer Name für %1 (%2):</translation>
    </message>
    <message>
        <source>Link &amp;all</source>
        <translation>&amp;Alle verbinden</translation>
    </message>
    <message>
        <source>Logger memory fr&amp;om</source>
        <translation>Loggerspeicher v&amp;on</translation>
    </message>
    <message>
        <source>Re&amp;name meter</source>
        <translation>Messgerät &amp;umbenennen</translation>
    </message>
    <message>
        <source>%1 meters linked</source>
        <translation>%1 Messgeräte verbunden</translation>
    </message>
    <message>
        <source>&amp;Publish readings...</source>
        <translation>&amp;Messwerte veröffentlichen...</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math channel</source>
        <translation>Rechenkanal</translation>
    </message>
    <message>
        <source>Expression of the meters&apos; readings (for example M1 * M2 or M1 - M2);
leave it empty for no math channel. The meters are:</source>
        <translation>Ausdruck aus den Messwerten der Messgeräte (zum Beispiel M1 * M2 oder M1 - M2);
leer lassen für keinen Rechenkanal. Die Messgeräte sind:</translation>
    </message>
    <message>
        <source>The expression cannot be used.</source>
        <translation>Der Ausdruck kann nicht verwendet werden.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Speichern unter…</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
</context>
<context>
    <name>MeterStrip</name>
    <message>
        <source>Meters</source>
        <translation>Messgeräte</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Above the upper limit</source>
        <translation>Über der oberen Grenze</translation>
    </message>
    <message>
        <source>Below the lower limit</source>
        <translation>Unter der unteren Grenze</translation>
    </message>
    <message>
        <source>Within the limits</source>
        <translation>Innerhalb der Grenzen</translation>
    </message>
    <message>
        <source>Min %1 / Max %2</source>
        <translation>Min. %1 / Max. %2</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>The broker address must start with mqtt:// or mqtts://.</source>
        <translation>Die Adresse des Brokers muss mit mqtt:// oder mqtts:// beginnen.</translation>
    </message>
    <message>
        <source>The broker address takes no path after the host.</source>
        <translation>Die Adresse des Brokers enthält keinen Pfad nach dem Host.</translation>
    </message>
    <message>
        <source>Give the user name and password in their own fields, not in the broker address.</source>
        <translation>Geben Sie Benutzername und Passwort in ihren eigenen Feldern an, nicht in der Adresse des Brokers.</translation>
    </message>
    <message>
        <source>The IPv6 address lacks its closing ].</source>
        <translation>Der IPv6-Adresse fehlt die schließende ].</translation>
    </message>
    <message>
        <source>Unexpected text after the host.</source>
        <translation>Unerwarteter Text nach dem Host.</translation>
    </message>
    <message>
        <source>The broker address has no host.</source>
        <translation>Die Adresse des Brokers enthält keinen Host.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Der Port muss eine Zahl von 1 bis 65535 sein.</translation>
    </message>
    <message>
        <source>The topic prefix must not contain + or #.</source>
        <translation>Das Themenpräfix darf weder + noch # enthalten.</translation>
    </message>
    <message>
        <source>The topic prefix is too long.</source>
        <translation>Das Themenpräfix ist zu lang.</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish readings</source>
        <translation>Messwerte veröffentlichen</translation>
    </message>
    <message>
        <source>The publishing settings could not be kept.</source>
        <translation>Die Einstellungen zum Veröffentlichen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation>Das Passwort wird im Schlüsselbund der Arbeitsumgebung aufbewahrt.</translation>
    </message>
    <message>
        <source>No secret store was found: the password is kept in %1, which only you can read.</source>
        <translation>Kein Schlüsselbund gefunden: Das Passwort wird in %1 aufbewahrt, das nur Sie lesen können.</translation>
    </message>
    <message>
        <source>The password is kept until Telmora ends: the configuration folder cannot be used.</source>
        <translation>Das Passwort wird bis zum Ende von Telmora aufbewahrt: Der Konfigurationsordner kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>&amp;Publish every reading to an MQTT broker</source>
        <translation>Jeden Messwert an einen MQTT-Broker &amp;veröffentlichen</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Broker-Adresse:</translation>
    </message>
    <message>
        <source>chosen by Telmora</source>
        <translation>von Telmora gewählt</translation>
    </message>
    <message>
        <source>&amp;Client id:</source>
        <translation>&amp;Client-ID:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>&amp;Topic prefix:</source>
        <translation>&amp;Themenpräfix:</translation>
    </message>
    <message>
        <source>0 - at most once</source>
        <translation>0 - höchstens einmal</translation>
    </message>
    <message>
        <source>1 - at least once</source>
        <translation>1 - mindestens einmal</translation>
    </message>
    <message>
        <source>&amp;Quality of service:</source>
        <translation>&amp;Dienstgüte (QoS):</translation>
    </message>
    <message>
        <source>the system&apos;s certificates (mqtts only)</source>
        <translation>die Zertifikate des Systems (nur mqtts)</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>Du&amp;rchsuchen...</translation>
    </message>
    <message>
        <source>C&amp;A certificate:</source>
        <translation>C&amp;A-Zertifikat:</translation>
    </message>
    <message>
        <source>Each meter publishes to %1/&lt;serial number&gt;/reading, …/statistics and …/status.</source>
        <translation>Jedes Messgerät veröffentlicht an %1/&lt;Seriennummer&gt;/reading, …/statistics und …/status.</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>CA-Zertifikat</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Zertifikate (*.pem *.crt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The broker address cannot be used.</source>
        <translation>Die Adresse des Brokers kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The topic prefix cannot be used.</source>
        <translation>Das Themenpräfix kann nicht verwendet werden.</translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>No readings yet</source>
        <translation>Noch keine Messwerte</translation>
    </message>
    <message>
        <source>Newest reading %1 at %2, lowest %3, highest %4</source>
        <translation>Neuester Messwert %1 um %2, kleinster %3, größter %4</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
</context>
<context>
    <name>RecorderText</name>
    <message>
        <source>[cannot be read: the recording&apos;s file has become shorter]</source>
        <translation>[nicht lesbar: die Datei der Aufzeichnung ist kürzer geworden]</translation>
    </message>
</context>
<context>
    <name>RecorderWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>unsaved recording</source>
        <translation>ungespeicherte Aufzeichnung</translation>
    </message>
    <message>
        <source>Writing the file…</source>
        <translation>Die Datei wird geschrieben…</translation>
    </message>
    <message>
        <source>%1 of %2 samples written</source>
        <translation>%1 von %2 Messwerten geschrieben</translation>
    </message>
    <message>
        <source>M&amp;ath channel...</source>
        <translation>&amp;Rechenkanal...</translation>
    </message>
    <message>
        <source>Telmora recording</source>
        <translation>Telmora-Aufzeichnung</translation>
    </message>
    <message>
        <source>Meter %1</source>
        <translation>Messgerät %1</translation>
    </message>
    <message>
        <source>T&amp;rigger...</source>
        <translation>Aus&amp;löser...</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>Warten auf %1</translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation>Cursor auf den größten Messwert setzen</translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation>Cursor auf den kleinsten Messwert setzen</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Angezeigt</translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation>Telmora wurde während einer Aufzeichnung unerwartet beendet. Die Aufzeichnung vom %1 mit %2 Messwerten öffnen?</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>Die Datei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation>Hauptanzeige</translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation>Nebenanzeige</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation>Nebenanzeige</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Messreihe</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Messreihe %1</translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation>aus dem Messgerät geladene Messreihen</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation>Die Einstellungen und Fensterpositionen dieses Programmlaufs werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation>Aufzeichnungen können während der Erfassung nicht auf der Festplatte gehalten werden, daher ist die Aufzeichnung gesperrt.</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Std.-Abw.</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Kleinstwert</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Größtwert</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Überlastungen</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation>Der Ordner %1 wird nicht verwendet: %2.</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Alarm: %1 went above the upper limit</source>
        <translation>Alarm: %1 hat die obere Grenze überschritten</translation>
    </message>
    <message>
        <source>Alarm: %1 went below the lower limit</source>
        <translation>Alarm: %1 hat die untere Grenze unterschritten</translation>
    </message>
    <message>
        <source>The cable of %1 was lost</source>
        <translation>Das Kabel von %1 ist getrennt</translation>
    </message>
    <message>
        <source>The cable of %1 is back</source>
        <translation>Das Kabel von %1 ist wieder da</translation>
    </message>
    <message>
        <source>The markers kept with this recording could not be read; the recording was opened without them.</source>
        <translation>Die Markierungen dieser Aufzeichnung konnten nicht gelesen werden; die Aufzeichnung wurde ohne sie geöffnet.</translation>
    </message>
    <message>
        <source>The markers could not be kept beside the recording&apos;s temporary files. Until the recording is saved they are held only in memory.</source>
        <translation>Die Markierungen konnten nicht neben den temporären Dateien der Aufzeichnung gesichert werden. Bis die Aufzeichnung gespeichert ist, liegen sie nur im Speicher.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation>Copyright (C) 2026 die Telmora-Entwickler</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>Digitalanzeige</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>Zeigerinstrument</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>Komparator</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>Datenliste</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>Grafische Aufzeichnung</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>Grafische Ansicht</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>Einstellung des Erfassungsintervalls</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>Datenlogger exportieren</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>Erfassungsart</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>Höchste Geschwindigkeit</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>Benutzerdefiniert...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>Intervall in Sekunde(n)</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>Ganze Zahl eingeben ? </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>Metadatei</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>Nur Text/Daten</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>Seitenbereich</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>Diese Seite</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>Objektgröße</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>Keine bestimmte Größe</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>Millimeter</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>Daten aus dem Messgerät &amp;importieren</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation>Alle Daten löschen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>&amp;Digitalanzeige</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>&amp;Zeigerinstrument</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>&amp;Komparator</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>&amp;Grafische Aufzeichnung</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>Daten&amp;liste</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Anschluss</translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation>&amp;Serielle Schnittstelle (COM)</translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation>&amp;USB-Anschluss</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>&amp;Erfassung</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manuell</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>&amp;Intervall...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>&amp;Erste Seite</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>Seite &amp;zurück</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>Seite &amp;vor</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>&amp;Letzte Seite</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>Diese Seite &amp;drucken ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>E&amp;xportieren ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>&amp;Farbe der Messkurve</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>&amp;Alle Daten einpassen</translation>
    </message>
    <message>
        <source>Undo &amp;Zooming</source>
        <translation>Zoom &amp;rückgängig</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>Mit dem Messgerät verbinden</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>Verbindung zum Messgerät trennen</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>Fenster nebeneinander</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>Digitalanzeige</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>Zeigerinstrument</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Datenliste</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>Anschlussauswahl...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>Erfassung starten</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>Erfassung anhalten</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Datei öffnen...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Datei speichern...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Diese Seite drucken</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Aufzeichnung löschen</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>Intervall einstellen...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>Manuelle Erfassung</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Erste Seite</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Seite zurück</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Seite vor</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Letzte Seite</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>Alle Daten einpassen</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>Zoom rückgängig</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>Daten aus dem Messgerät importieren</translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation>Alle Daten im Puffer werden gelöscht.</translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation>Daten werden umgesetzt...</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>Aufzeichnung läuft ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>Daten im Puffer : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>Seite : %d von %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>Möchten Sie die Daten vor dem Beenden in einer Datei speichern ?</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>Neuer Versuch automatisch in 3 Sekunden.</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>(Geht in 3 Sekunden automatisch weiter.)</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>Daten werden gelesen : %d von %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>Die Batterie des Messgeräts ist schwach.</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>Möchten Sie die Daten im Puffer wirklich löschen ?</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>Der Puffer enthält Daten.</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>Keine Daten empfangen.</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>Daten werden aus der gewählten Datei gelesen. Bitte warten ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>Daten werden in den Puffer übernommen. Bitte warten...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>Erste Seite.</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>Letzte Seite.</translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation>Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>Daten  werden aus dem Messgerät geladen ... bitte warten ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>Daten werden verarbeitet ... bitte warten ...</translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation>Nur die vollständigen Messreihen aus dem Speicher des Messgeräts konnten gelesen werden.</translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation>Die Aufzeichnung läuft noch.
Bei geschlossenem Fenster weiter aufzeichnen?

Ja: die Aufzeichnung läuft im Hintergrund weiter.
Nein: die Aufzeichnung wird beendet.
Abbrechen: das Fenster bleibt offen.</translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation>Eine Aufzeichnung, die beim unerwarteten Beenden von Telmora zurückblieb, bleibt auf der Festplatte erhalten, kann aber jetzt nicht übernommen werden. Sie wird bei einem späteren Start angeboten, sobald wieder Platz auf der Festplatte ist.</translation>
    </message>
    <message>
        <source>Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:</source>
        <translation>Nicht alle Messgeräte dieser Aufzeichnung sind verbunden. Diese Messgeräte zeichnen Lücken auf, bis sie verbunden sind und die Aufzeichnung erneut gestartet wird:</translation>
    </message>
    <message>
        <source>Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?</source>
        <translation>Telmora hat auch die Aufzeichnung vom %1 mit %2 Messwerten hinterlassen. Die zum Öffnen gewählte Aufzeichnung wird nach dieser geöffnet. Diese Aufzeichnung unter einem neuen Namen speichern oder verwerfen?</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>Warnung[W%d]</translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation>Die Datei ist beschädigt oder keine Datei dieses Programms.</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>Bevor die Aufzeichnung beginnen kann, müssen Sie mit der Verbinden-Schaltfläche eine Verbindung zum Messgerät herstellen.</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>Die Datei für die Zwischenspeicherung der laufenden Aufzeichnung auf der Festplatte kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>Fehler beim Öffnen der Datei.</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>Fehler beim Speichern der Datei.</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>Nicht genügend Arbeitsspeicher !</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>Keine gültige Gleitkommazahl !</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>Die Grenzwerteinstellung ist unzulässig.</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>Bitte über &quot;Durchsuchen&quot; einen Dateinamen angeben !</translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation>USB-Adapterkabel nicht gefunden.</translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation>Zeitüberschreitung bei der Datenübertragung.</translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation>Ihr Messgerät ist ausgeschaltet, nicht verbunden oder hat keine eingebaute Speicherfunktion (DATA LOGGING).</translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation>Die Einstellungsdatei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation>Das Messgerät antwortet nicht. Das USB-Adapterkabel ist angeschlossen: Prüfen Sie, ob das Messgerät eingeschaltet und das Kabel am Messgerät eingesteckt ist.</translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation>Es ist kein Drucker eingerichtet. Bitte richten Sie einen Drucker ein oder drucken Sie in eine PDF-Datei.</translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation>Die Grafik konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation>Die Datei mit dieser Aufzeichnung ist kürzer geworden. Die Messwerte, die sie nicht mehr enthält, können weder angezeigt, gespeichert noch exportiert werden; sie fehlen in der Statistik.</translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation>Ein Ordner für die Dateien von Telmora wird nicht verwendet, weil andere Benutzer die Dateien darin ändern könnten.</translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation>Der neueste Messwert konnte nicht in den Zwischenspeicher auf der Festplatte geschrieben werden und liegt nur im Arbeitsspeicher. Die Aufzeichnung wurde beendet.</translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation>Das Intervall muss eine ganze Zahl von Sekunden zwischen 0 und %d sein.</translation>
    </message>
    <message>
        <source>Nothing was replaced: the files that were there before are as they were.</source>
        <translation>Nichts wurde ersetzt: Die Dateien, die vorher da waren, sind unverändert.</translation>
    </message>
    <message>
        <source>M%d is not a meter of this recording (it has %d).</source>
        <translation>M%d ist kein Messgerät dieser Aufzeichnung (sie hat %d).</translation>
    </message>
    <message>
        <source>The expression cannot be read at character %d (counted from 1).</source>
        <translation>Der Ausdruck kann bei Zeichen %d (ab 1 gezählt) nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The expression is not finished: a value or a closing parenthesis is missing at its end.</source>
        <translation>Der Ausdruck ist nicht vollständig: An seinem Ende fehlt ein Wert oder eine schließende Klammer.</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>Fehler[E%d]</translation>
    </message>
    <message>
        <source>A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:</source>
        <translation>Eine Textdatei enthält die Messwerte eines Messgeräts, daher wurde jedes Messgerät der Aufzeichnung in eine eigene Datei exportiert:</translation>
    </message>
    <message>
        <source>A condition names a meter, &gt; or &lt; and a level, for example M1 &gt; 5 V or M2 &lt; 2.2k.</source>
        <translation>Eine Bedingung nennt ein Messgerät, &gt; oder &lt; und eine Schwelle, zum Beispiel M1 &gt; 5 V oder M2 &lt; 2.2k.</translation>
    </message>
    <message>
        <source>The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.</source>
        <translation>Die Schwelle ist keine Zahl. Schreiben Sie sie mit einem Punkt als Dezimaltrennzeichen und, wenn Sie möchten, einem Vorsatz (p, n, u, m, k, M, G, T), zum Beispiel 2.2k.</translation>
    </message>
    <message>
        <source>The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.</source>
        <translation>Diese Einheit zeigt das Messgerät nicht. Verwenden Sie V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA oder VAR, oder lassen Sie sie weg.</translation>
    </message>
    <message>
        <source>The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.</source>
        <translation>Die Uhrzeit muss als HH:MM oder HH:MM:SS geschrieben werden, von 00:00 bis 23:59:59.</translation>
    </message>
    <message>
        <source>The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.</source>
        <translation>Der Halt muss eine Dauer mit Einheit (90s, 10m, 1.5h) oder eine Anzahl von mindestens 1 Messpunkt sein.</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Auslöser</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Aufzeichnung beginnen</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>Sofort</translation>
    </message>
    <message>
        <source>When a value crosses a level:</source>
        <translation>Wenn ein Wert eine Schwelle überschreitet:</translation>
    </message>
    <message>
        <source>At the time of day:</source>
        <translation>Zur Uhrzeit:</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>By hand</source>
        <translation>Von Hand</translation>
    </message>
    <message>
        <source>After a duration (90s, 10m, 1.5h) or a number of samples:</source>
        <translation>Nach einer Dauer (90s, 10m, 1.5h) oder einer Anzahl Messpunkte:</translation>
    </message>
    <message>
        <source>When a condition holds:</source>
        <translation>Wenn eine Bedingung zutrifft:</translation>
    </message>
    <message>
        <source>Conditions read M1 &gt; 5 V or M2 &lt; 2.2k. The meters are:</source>
        <translation>Bedingungen lauten etwa M1 &gt; 5 V oder M2 &lt; 2.2k. Die Messgeräte sind:</translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation>Klicken, um Firmware-Version und Seriennummer des Kabels zu lesen</translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation>&amp;Kabelinfo</translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation>Desktop-Begleiter für per USB verbundene Digitalmultimeter</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Version %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation>Freie Software unter der GNU GPL v3 oder neuer; OHNE JEDE GEWÄHRLEISTUNG.</translation>
    </message>
</context>
<context>
    <name>telmora::Application</name>
    <message>
        <source>Meter %1</source>
        <translation>Messgerät %1</translation>
    </message>
</context>
<context>
    <name>telmora::ComparatorLimitsDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Fortfahren</translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>telmora::ReadingPublisher</name>
    <message>
        <source>MQTT: no meter linked</source>
        <translation>MQTT: kein Messgerät verbunden</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT: verbindet</translation>
    </message>
    <message>
        <source>MQTT: connected</source>
        <translation>MQTT: verbunden</translation>
    </message>
    <message>
        <source>MQTT: not connected</source>
        <translation>MQTT: nicht verbunden</translation>
    </message>
    <message>
        <source>MQTT: refused</source>
        <translation>MQTT: abgewiesen</translation>
    </message>
    <message>
        <source>%1 readings dropped</source>
        <translation>%1 Messwerte verworfen</translation>
    </message>
</context>
<context>
    <name>telmora::RecorderController</name>
    <message>
        <source>The recorder is busy.</source>
        <translation>Der Rekorder ist beschäftigt.</translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation>Erste Messreihe</translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation>Vorherige Messreihe</translation>
    </message>
    <message>
        <source>Next session</source>
        <translation>Nächste Messreihe</translation>
    </message>
    <message>
        <source>Last session</source>
        <translation>Letzte Messreihe</translation>
    </message>
</context>
<context>
    <name>MarkerCommands</name>
    <message>
        <source>Mar&amp;kers</source>
        <translation>&amp;Marken</translation>
    </message>
    <message>
        <source>&amp;Mark Sample...</source>
        <translation>Messwert &amp;markieren...</translation>
    </message>
    <message>
        <source>&amp;Next Marker</source>
        <translation>&amp;Nächste Marke</translation>
    </message>
    <message>
        <source>&amp;Previous Marker</source>
        <translation>&amp;Vorherige Marke</translation>
    </message>
    <message>
        <source>Markers P&amp;anel</source>
        <translation>Marken&amp;liste</translation>
    </message>
    <message>
        <source>Mark the current sample (Ctrl+M)</source>
        <translation>Aktuellen Messwert markieren (Strg+M)</translation>
    </message>
    <message>
        <source>Mark sample %1</source>
        <translation>Messwert %1 markieren</translation>
    </message>
    <message>
        <source>Note (may be left empty):</source>
        <translation>Notiz (darf leer bleiben):</translation>
    </message>
</context>
<context>
    <name>MarkersPanel</name>
    <message>
        <source>Markers</source>
        <translation>Marken</translation>
    </message>
    <message>
        <source>Markers of the recording</source>
        <translation>Marken der Aufzeichnung</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Messgerät</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Edit Note...</source>
        <translation>Notiz bearbeiten...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Marker at sample %1</source>
        <translation>Marke bei Messwert %1</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Notiz:</translation>
    </message>
</context>
<context>
    <name>LimitCountsView</name>
    <message>
        <source>Limits</source>
        <translation>Grenzwerte</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Innerhalb</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Darüber</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Darunter</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Überschreitungen</translation>
    </message>
    <message>
        <source>Samples inside the limits</source>
        <translation>Messwerte innerhalb der Grenzwerte</translation>
    </message>
    <message>
        <source>Samples above the upper limit</source>
        <translation>Messwerte über dem oberen Grenzwert</translation>
    </message>
    <message>
        <source>Samples below the lower limit</source>
        <translation>Messwerte unter dem unteren Grenzwert</translation>
    </message>
    <message>
        <source>Excursions outside the limits</source>
        <translation>Überschreitungen der Grenzwerte</translation>
    </message>
</context>
<context>
    <name>IntervalTableModel</name>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Messgerät</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Kleinster Wert</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Größter Wert</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Std.-abw.</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Überläufe</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Innerhalb</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Darüber</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Darunter</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Überschreitungen</translation>
    </message>
</context>
<context>
    <name>IntervalsPanel</name>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>10 seconds</source>
        <translation>10 Sekunden</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>&amp;Intervall:</translation>
    </message>
    <message>
        <source>Interval length</source>
        <translation>Intervalllänge</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Export the intervals as CSV</source>
        <translation>Die Intervalle als CSV exportieren</translation>
    </message>
    <message>
        <source>Figures of each interval</source>
        <translation>Kennzahlen jedes Intervalls</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>Wird gezählt...</translation>
    </message>
    <message>
        <source>Export Intervals</source>
        <translation>Intervalle exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*)|*</source>
        <translation>CSV-Dateien (*.csv)|*.csv|Alle Dateien (*)|*</translation>
    </message>
</context>
</TS>
