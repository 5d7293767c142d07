<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>ChartPrintJob</name>
    <message>
        <source>printed %1    page %2 of %3</source>
        <translation>wydrukowano %1    strona %2 z %3</translation>
    </message>
    <message>
        <source>%1    printed %2    page %3 of %4</source>
        <translation>%1    wydrukowano %2    strona %3 z %4</translation>
    </message>
</context>
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Komparator: ustawienie granicy górnej i dolnej</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>Granica górna : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>Granica dolna : </translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>%1: above the upper limit</source>
        <translation>%1: powyżej górnej granicy</translation>
    </message>
    <message>
        <source>%1: below the lower limit</source>
        <translation>%1: poniżej dolnej granicy</translation>
    </message>
    <message>
        <source>%1: within the limits</source>
        <translation>%1: w granicach</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>WYŁ.</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Komparator: ustawienie granicy górnej i dolnej</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>WŁ.</translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>Sheet%1</source>
        <translation>Arkusz%1</translation>
    </message>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation>Przed tym wierszem przez pewien czas nie było odczytów.</translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation>&amp;Przejdź do próbki…</translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation>Przejdź do wiersza próbki o danym numerze (Ctrl+G)</translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation>Przejdź do próbki</translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation>Numer próbki (1 do %1):</translation>
    </message>
</context>
<context>
    <name>DesktopAlerts</name>
    <message>
        <source>Meter link ended</source>
        <translation>Połączenie z miernikiem zakończone</translation>
    </message>
    <message>
        <source>Waiting for the meter</source>
        <translation>Oczekiwanie na miernik</translation>
    </message>
    <message>
        <source>Comparator alarm</source>
        <translation>Alarm komparatora</translation>
    </message>
    <message>
        <source>The reading is above the upper limit of %1.</source>
        <translation>Odczyt przekracza górną granicę %1.</translation>
    </message>
    <message>
        <source>The reading is below the lower limit of %1.</source>
        <translation>Odczyt jest poniżej dolnej granicy %1.</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>Rejestracja zatrzymana</translation>
    </message>
</context>
<context>
    <name>DigitalMeterWindow</name>
    <message>
        <source>No Device</source>
        <translation>Brak urządzenia</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>Urządzenie USB</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation>Uporządkowany CSV (data, czas, wartości SI)</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Układ</translation>
    </message>
    <message>
        <source>Long (a row per meter and sample)</source>
        <translation>Długi (wiersz na miernik i próbkę)</translation>
    </message>
    <message>
        <source>Wide (a column per meter)</source>
        <translation>Szeroki (kolumna na miernik)</translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation>Plik: </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>Drukarka: </translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Dalej</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Spis treści</translation>
    </message>
    <message>
        <source>Find in the manual (Ctrl+F)</source>
        <translation>Szukaj w podręczniku (Ctrl+F)</translation>
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
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation>Kolor linii wykresu</translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation>Kolor linii 1...</translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation>Kolor linii 2...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Domyślne</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation>Wszystkie sesje</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Sesja %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Intervals</source>
        <translation>Przed&amp;ziały</translation>
    </message>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation>Kabel jest podłączony, ale ten użytkownik nie może go otworzyć. Sprawdź, czy reguła udev 70-telmora-cable.rules jest zainstalowana i czy należysz do grupy plugdev:</translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation>następnie zaloguj się ponownie i podłącz kabel jeszcze raz.</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation>Sprawdź, czy kabel jest podłączony do komputera i do miernika.</translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation>Kabel jest podłączony, ale nie można go otworzyć.</translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation>Łącz ponownie &amp;automatycznie</translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation>Oczekiwanie na kabel…</translation>
    </message>
    <message>
        <source>Graphical &amp;viewer</source>
        <translation>Podgląd g&amp;raficzny</translation>
    </message>
    <message>
        <source>Data L&amp;ogger</source>
        <translation>Rejestrator &amp;danych</translation>
    </message>
    <message>
        <source>Readings paused: logger memory is read</source>
        <translation>Odczyty wstrzymane: trwa odczyt pamięci rejestratora</translation>
    </message>
    <message>
        <source>Desktop &amp;notifications</source>
        <translation>&amp;Powiadomienia pulpitu</translation>
    </message>
    <message>
        <source>Telmora &amp;Help</source>
        <translation>&amp;Pomoc programu Telmora</translation>
    </message>
    <message>
        <source>Rename meter</source>
        <translation>Zmień nazwę miernika</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Nowa nazwa dla %1:</translation>
    </message>
    <message>
        <source>New name for %1 (%2):</source>
        <translation>Nowa nazwa dla %1 (%2):</translation>
    </message>
    <message>
        <source>Link &amp;all</source>
        <translation>Połącz &amp;wszystkie</translation>
    </message>
    <message>
        <source>Logger memory fr&amp;om</source>
        <translation>Pamięć rejestratora &amp;z</translation>
    </message>
    <message>
        <source>Re&amp;name meter</source>
        <translation>Zmień &amp;nazwę miernika</translation>
    </message>
    <message>
        <source>%1 meters linked</source>
        <translation>Połączone mierniki: %1</translation>
    </message>
    <message>
        <source>&amp;Publish readings...</source>
        <translation>&amp;Publikuj odczyty...</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math channel</source>
        <translation>Kanał obliczeniowy</translation>
    </message>
    <message>
        <source>Expression of the meters&apos; readings (for example M1 * M2 or M1 - M2);
leave it empty for no math channel. The meters are:</source>
        <translation>Wyrażenie z odczytów mierników (na przykład M1 * M2 lub M1 - M2);
pozostaw puste, aby nie używać kanału obliczeniowego. Mierniki:</translation>
    </message>
    <message>
        <source>The expression cannot be used.</source>
        <translation>Nie można użyć tego wyrażenia.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Zapisz jako…</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Odrzuć</translation>
    </message>
</context>
<context>
    <name>MeterStrip</name>
    <message>
        <source>Meters</source>
        <translation>Mierniki</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>Nie połączono</translation>
    </message>
    <message>
        <source>Above the upper limit</source>
        <translation>Powyżej górnej granicy</translation>
    </message>
    <message>
        <source>Below the lower limit</source>
        <translation>Poniżej dolnej granicy</translation>
    </message>
    <message>
        <source>Within the limits</source>
        <translation>W granicach</translation>
    </message>
    <message>
        <source>Min %1 / Max %2</source>
        <translation>Min %1 / Maks %2</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>The broker address must start with mqtt:// or mqtts://.</source>
        <translation>Adres brokera musi zaczynać się od mqtt:// lub mqtts://.</translation>
    </message>
    <message>
        <source>The broker address takes no path after the host.</source>
        <translation>Adres brokera nie może zawierać ścieżki po nazwie hosta.</translation>
    </message>
    <message>
        <source>Give the user name and password in their own fields, not in the broker address.</source>
        <translation>Podaj nazwę użytkownika i hasło w osobnych polach, nie w adresie brokera.</translation>
    </message>
    <message>
        <source>The IPv6 address lacks its closing ].</source>
        <translation>W adresie IPv6 brakuje zamykającego ].</translation>
    </message>
    <message>
        <source>Unexpected text after the host.</source>
        <translation>Nieoczekiwany tekst po nazwie hosta.</translation>
    </message>
    <message>
        <source>The broker address has no host.</source>
        <translation>W adresie brokera brakuje hosta.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Port musi być liczbą od 1 do 65535.</translation>
    </message>
    <message>
        <source>The topic prefix must not contain + or #.</source>
        <translation>Prefiks tematu nie może zawierać + ani #.</translation>
    </message>
    <message>
        <source>The topic prefix is too long.</source>
        <translation>Prefiks tematu jest za długi.</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish readings</source>
        <translation>Publikuj odczyty</translation>
    </message>
    <message>
        <source>The publishing settings could not be kept.</source>
        <translation>Nie udało się zachować ustawień publikowania.</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation>Hasło jest przechowywane w magazynie haseł pulpitu.</translation>
    </message>
    <message>
        <source>No secret store was found: the password is kept in %1, which only you can read.</source>
        <translation>Nie znaleziono magazynu haseł: hasło jest przechowywane w %1, który może czytać tylko Ty.</translation>
    </message>
    <message>
        <source>The password is kept until Telmora ends: the configuration folder cannot be used.</source>
        <translation>Hasło jest przechowywane do zamknięcia Telmora: nie można użyć folderu konfiguracji.</translation>
    </message>
    <message>
        <source>&amp;Publish every reading to an MQTT broker</source>
        <translation>&amp;Publikuj każdy odczyt do brokera MQTT</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Broker:</translation>
    </message>
    <message>
        <source>chosen by Telmora</source>
        <translation>wybrany przez Telmora</translation>
    </message>
    <message>
        <source>&amp;Client id:</source>
        <translation>Identyfikator &amp;klienta:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nazwa &amp;użytkownika:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>&amp;Hasło:</translation>
    </message>
    <message>
        <source>&amp;Topic prefix:</source>
        <translation>Prefiks &amp;tematu:</translation>
    </message>
    <message>
        <source>0 - at most once</source>
        <translation>0 - co najwyżej raz</translation>
    </message>
    <message>
        <source>1 - at least once</source>
        <translation>1 - co najmniej raz</translation>
    </message>
    <message>
        <source>&amp;Quality of service:</source>
        <translation>&amp;Jakość usługi:</translation>
    </message>
    <message>
        <source>the system&apos;s certificates (mqtts only)</source>
        <translation>certyfikaty systemu (tylko mqtts)</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>P&amp;rzeglądaj...</translation>
    </message>
    <message>
        <source>C&amp;A certificate:</source>
        <translation>Certyfikat &amp;CA:</translation>
    </message>
    <message>
        <source>Each meter publishes to %1/&lt;serial number&gt;/reading, …/statistics and …/status.</source>
        <translation>Każdy miernik publikuje do %1/&lt;numer seryjny&gt;/reading, …/statistics i …/status.</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>Certyfikat CA</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Certyfikaty (*.pem *.crt);;Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>The broker address cannot be used.</source>
        <translation>Nie można użyć adresu brokera.</translation>
    </message>
    <message>
        <source>The topic prefix cannot be used.</source>
        <translation>Nie można użyć prefiksu tematu.</translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>No readings yet</source>
        <translation>Brak odczytów</translation>
    </message>
    <message>
        <source>Newest reading %1 at %2, lowest %3, highest %4</source>
        <translation>Najnowszy odczyt %1 o %2, najniższy %3, najwyższy %4</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Rejestrator danych</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Odczyt</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation>Maks.</translation>
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
        <translation>[nie można odczytać: plik nagrania stał się krótszy]</translation>
    </message>
</context>
<context>
    <name>RecorderWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Powiększenie</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Strona %1</translation>
    </message>
    <message>
        <source>unsaved recording</source>
        <translation>niezapisana rejestracja</translation>
    </message>
    <message>
        <source>Writing the file…</source>
        <translation>Zapisywanie pliku…</translation>
    </message>
    <message>
        <source>%1 of %2 samples written</source>
        <translation>Zapisano %1 z %2 próbek</translation>
    </message>
    <message>
        <source>M&amp;ath channel...</source>
        <translation>Kanał &amp;obliczeniowy...</translation>
    </message>
    <message>
        <source>Telmora recording</source>
        <translation>Nagranie Telmora</translation>
    </message>
    <message>
        <source>Meter %1</source>
        <translation>Miernik %1</translation>
    </message>
    <message>
        <source>T&amp;rigger...</source>
        <translation>&amp;Wyzwalacz...</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>Oczekiwanie na %1</translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation>Ustaw kursor na największej próbce</translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation>Ustaw kursor na najmniejszej próbce</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Rejestrator danych</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Odczyt</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Powiększenie</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Widoczne</translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation>Telmora zakończyła się nieoczekiwanie podczas nagrywania. Otworzyć nagranie z %1 zawierające %2 próbek?</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>Nie można utworzyć pliku %1: %2</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Nie można zapisać pliku %1: %2</translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation>Wyświetlacz główny</translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation>Wyświetlacz pomocniczy</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Maks.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation>Wyświetlacz pomocniczy</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sesja</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Odczyt</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Sesja %1</translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation>sesje pobrane z miernika</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation>Ustawienia i położenie okien w tym uruchomieniu nie zostaną zapisane.</translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation>Nagrań nie można przechowywać na dysku w trakcie ich tworzenia, więc nagrywanie jest niedostępne.</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation>Liczba</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Średnia</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Odch. std.</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maksimum</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Przeciążenia</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Nagranie</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Widoczne</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statystyka</translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation>Folder %1 nie jest używany: %2.</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Alarm: %1 went above the upper limit</source>
        <translation>Alarm: %1 przekroczył górną granicę</translation>
    </message>
    <message>
        <source>Alarm: %1 went below the lower limit</source>
        <translation>Alarm: %1 spadł poniżej dolnej granicy</translation>
    </message>
    <message>
        <source>The cable of %1 was lost</source>
        <translation>Utracono kabel %1</translation>
    </message>
    <message>
        <source>The cable of %1 is back</source>
        <translation>Kabel %1 powrócił</translation>
    </message>
    <message>
        <source>The markers kept with this recording could not be read; the recording was opened without them.</source>
        <translation>Nie udało się odczytać znaczników tego zapisu; zapis otwarto bez nich.</translation>
    </message>
    <message>
        <source>The markers could not be kept beside the recording&apos;s temporary files. Until the recording is saved they are held only in memory.</source>
        <translation>Nie udało się zachować znaczników obok plików tymczasowych zapisu. Do zapisania zapisu są przechowywane tylko w pamięci.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation>Copyright (C) 2026 twórcy programu Telmora</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>Wskaźnik cyfrowy</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>Wskaźnik analogowy</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>Komparator</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>Lista danych</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>Rejestrator graficzny</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>Podgląd graficzny</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>Opcja interwału akwizycji</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>Eksport rejestratora danych</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Rejestrator danych</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>Tryb akwizycji</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Ręczny</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatyczny</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>Pełna szybkość</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>Własny...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>Interwał w sekundach</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>Podać liczbę całkowitą ? </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Eksport</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>Metaplik</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>Mapa bitowa</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>Tylko tekst/dane</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Miejsce docelowe</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Schowek</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Przeglądaj</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drukarka</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>Zakres stron</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Wszystkie strony</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>Ta strona</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Strony</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Od</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>Rozmiar obiektu</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>Bez określonego rozmiaru</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Piksele</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>Milimetry</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Cale</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkty</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Szerokość</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Jednostki</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otwórz...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Zapisz &amp;jako...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>&amp;Ustawienia drukarki...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>&amp;Importuj dane z miernika</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Wyczyść</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Zamknij</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>Połą&amp;cz</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>&amp;Rozłącz</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edycja</translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation>Wyczyść wszystkie dane</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Okno</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Sąsiadująco</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>Wskaźnik &amp;cyfrowy</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>Wskaźnik &amp;analogowy</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>&amp;Komparator</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>Rejestrator &amp;graficzny</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>&amp;Lista danych</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>Po&amp;rt</translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation>Port &amp;COM</translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation>Port &amp;USB</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>&amp;Akwizycja</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>&amp;Uruchom</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>&amp;Zatrzymaj</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Ręcznie</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>&amp;Interwał...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>P&amp;ierwsza strona</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>Strona w &amp;górę</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>Strona w &amp;dół</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>&amp;Ostatnia strona</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>&amp;Drukuj tę stronę ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>&amp;Eksportuj ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Widok</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>&amp;Kolor linii wykresu</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>Dopasuj do &amp;wszystkich danych</translation>
    </message>
    <message>
        <source>Undo &amp;Zooming</source>
        <translation>&amp;Cofnij powiększenie</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Po&amp;moc</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programie...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>Połącz z miernikiem</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>Rozłącz miernik</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>Okna sąsiadująco</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>Wskaźnik cyfrowy</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>Wskaźnik analogowy</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Lista danych</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>Wybór portu...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>Rozpocznij akwizycję</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>Zatrzymaj akwizycję</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Otwórz plik...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Zapisz plik...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Drukuj tę stronę</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Wyczyść nagranie</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>Opcja interwału...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>Akwizycja ręczna</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Pierwsza strona</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Strona w górę</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Strona w dół</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Ostatnia strona</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>Dopasuj do wszystkich danych</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>Cofnij powiększenie</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Eksportuj...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>Importuj dane z miernika</translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation>Wszystkie dane w buforze zostaną usunięte.</translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation>Przetwarzanie...</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>Rejestrowanie danych ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>Dane w buforze : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>Strona : %d z %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>Czy zapisać dane do pliku przed zakończeniem ?</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>Ponowna próba automatycznie za 3 sekundy.</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>(Kontynuacja automatycznie za 3 sekundy.)</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>Odczyt danych : %d z %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>Bateria miernika jest słaba.</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>Czy na pewno wyczyścić dane w buforze ?</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>Bufor zawiera dane.</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>Nie odebrano danych.</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>Odczyt danych z wybranego pliku. Proszę czekać ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>Dodawanie danych do bufora. Proszę czekać...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>Pierwsza strona.</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>Ostatnia strona.</translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation>Czy na pewno kontynuować?</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>Pobieranie  danych z miernika ... proszę czekać ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>Przetwarzanie danych ... proszę czekać ...</translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation>Udało się odczytać tylko kompletne sesje z pamięci miernika.</translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation>Rejestrator nadal nagrywa.
Kontynuować nagrywanie po zamknięciu okna?

Tak: nagrywanie trwa w tle.
Nie: nagrywanie zostaje zatrzymane.
Anuluj: okno pozostaje otwarte.</translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation>Nagranie pozostawione po nieoczekiwanym zakończeniu programu Telmora jest zachowane na dysku, ale nie można go teraz przejąć. Zostanie zaproponowane przy kolejnym uruchomieniu, gdy na dysku będzie miejsce.</translation>
    </message>
    <message>
        <source>Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:</source>
        <translation>Nie wszystkie mierniki tego zapisu są połączone. Te mierniki zapisują przerwy, dopóki nie zostaną połączone, a zapis nie zostanie ponownie uruchomiony:</translation>
    </message>
    <message>
        <source>Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?</source>
        <translation>Telmora pozostawiła też zapis z %1 z %2 próbkami. Zapis wybrany do otwarcia zostanie otwarty po tym. Zapisać ten zapis pod nową nazwą czy go odrzucić?</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>Ostrzeżenie[W%d]</translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation>Plik jest uszkodzony lub nie pochodzi z tego programu.</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>Przed rozpoczęciem rejestracji danych należy połączyć się z miernikiem przyciskiem połączenia.</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>Nie można utworzyć pliku tymczasowego zapisu w czasie rzeczywistym na dysku twardym.</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>Błąd otwarcia pliku.</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>Błąd zapisu pliku.</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>Za mało pamięci systemowej !</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>Nieprawidłowa liczba zmiennoprzecinkowa !</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>Ustawienie granic jest niedopuszczalne.</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>Kliknij &quot;Przeglądaj&quot; i podaj nazwę pliku !</translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation>Nie znaleziono kabla z adapterem USB.</translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation>Przekroczono czas transmisji danych.</translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation>Miernik jest wyłączony, odłączony lub nie ma wbudowanej funkcji rejestracji danych (DATA LOGGING).</translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation>Nie można zapisać pliku ustawień.</translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation>Miernik nie odpowiada. Kabel z adapterem USB jest podłączony: sprawdź, czy miernik jest włączony i czy kabel jest podłączony do miernika.</translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation>Nie skonfigurowano drukarki. Skonfiguruj drukarkę lub wybierz drukowanie do pliku PDF.</translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation>Nie udało się wydrukować wykresu.</translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation>Plik zawierający to nagranie stał się krótszy. Próbek, których już nie zawiera, nie można wyświetlić, zapisać ani wyeksportować; są pominięte w statystyce.</translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation>Folder na pliki programu Telmora nie jest używany, ponieważ inni użytkownicy mogliby zmieniać znajdujące się w nim pliki.</translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation>Najnowszej próbki nie udało się zapisać w pamięci tymczasowej na dysku twardym i jest przechowywana tylko w pamięci. Nagrywanie zostało zatrzymane.</translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation>Interwał musi być całkowitą liczbą sekund od 0 do %d.</translation>
    </message>
    <message>
        <source>Nothing was replaced: the files that were there before are as they were.</source>
        <translation>Nic nie zostało zastąpione: pliki, które były tam wcześniej, pozostały bez zmian.</translation>
    </message>
    <message>
        <source>M%d is not a meter of this recording (it has %d).</source>
        <translation>M%d nie jest miernikiem tego zapisu (ma on %d).</translation>
    </message>
    <message>
        <source>The expression cannot be read at character %d (counted from 1).</source>
        <translation>Wyrażenia nie można odczytać w znaku %d (licząc od 1).</translation>
    </message>
    <message>
        <source>The expression is not finished: a value or a closing parenthesis is missing at its end.</source>
        <translation>Wyrażenie nie jest zakończone: na jego końcu brakuje wartości lub nawiasu zamykającego.</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>Błąd[E%d]</translation>
    </message>
    <message>
        <source>A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:</source>
        <translation>Plik tekstowy zawiera odczyty jednego miernika, dlatego każdy miernik z nagrania został wyeksportowany do osobnego pliku:</translation>
    </message>
    <message>
        <source>A condition names a meter, &gt; or &lt; and a level, for example M1 &gt; 5 V or M2 &lt; 2.2k.</source>
        <translation>Warunek podaje miernik, &gt; lub &lt; oraz próg, na przykład M1 &gt; 5 V lub M2 &lt; 2.2k.</translation>
    </message>
    <message>
        <source>The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.</source>
        <translation>Próg nie jest liczbą. Zapisz go z kropką jako separatorem dziesiętnym i, jeśli chcesz, przedrostkiem (p, n, u, m, k, M, G, T), na przykład 2.2k.</translation>
    </message>
    <message>
        <source>The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.</source>
        <translation>Miernik nie pokazuje takiej jednostki. Użyj V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA lub VAR albo ją pomiń.</translation>
    </message>
    <message>
        <source>The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.</source>
        <translation>Godzinę należy zapisać jako HH:MM lub HH:MM:SS, od 00:00 do 23:59:59.</translation>
    </message>
    <message>
        <source>The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.</source>
        <translation>Zatrzymanie musi być czasem trwania z jednostką (90s, 10m, 1.5h) lub liczbą próbek co najmniej 1.</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Wyzwalacz</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Rozpocznij zapis</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>Od razu</translation>
    </message>
    <message>
        <source>When a value crosses a level:</source>
        <translation>Gdy wartość przekroczy próg:</translation>
    </message>
    <message>
        <source>At the time of day:</source>
        <translation>O godzinie:</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Zakończ zapis</translation>
    </message>
    <message>
        <source>By hand</source>
        <translation>Ręcznie</translation>
    </message>
    <message>
        <source>After a duration (90s, 10m, 1.5h) or a number of samples:</source>
        <translation>Po czasie (90s, 10m, 1.5h) lub liczbie próbek:</translation>
    </message>
    <message>
        <source>When a condition holds:</source>
        <translation>Gdy warunek jest spełniony:</translation>
    </message>
    <message>
        <source>Conditions read M1 &gt; 5 V or M2 &lt; 2.2k. The meters are:</source>
        <translation>Warunki zapisuje się jak M1 &gt; 5 V lub M2 &lt; 2.2k. Mierniki to:</translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation>Kliknij, aby odczytać wersję oprogramowania i numer seryjny kabla</translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation>Informacje o &amp;kablu</translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation>Program towarzyszący dla multimetrów cyfrowych podłączanych przez USB</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Wersja %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation>Wolne oprogramowanie na licencji GNU GPL v3 lub nowszej; BEZ JAKIEJKOLWIEK GWARANCJI.</translation>
    </message>
</context>
<context>
    <name>telmora::Application</name>
    <message>
        <source>Meter %1</source>
        <translation>Miernik %1</translation>
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
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Przerwij</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Kontynuuj</translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Przerwij</translation>
    </message>
</context>
<context>
    <name>telmora::ReadingPublisher</name>
    <message>
        <source>MQTT: no meter linked</source>
        <translation>MQTT: brak połączonego miernika</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT: łączenie</translation>
    </message>
    <message>
        <source>MQTT: connected</source>
        <translation>MQTT: połączono</translation>
    </message>
    <message>
        <source>MQTT: not connected</source>
        <translation>MQTT: brak połączenia</translation>
    </message>
    <message>
        <source>MQTT: refused</source>
        <translation>MQTT: odrzucono</translation>
    </message>
    <message>
        <source>%1 readings dropped</source>
        <translation>odrzucone odczyty: %1</translation>
    </message>
</context>
<context>
    <name>telmora::RecorderController</name>
    <message>
        <source>The recorder is busy.</source>
        <translation>Rejestrator jest zajęty.</translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation>Pierwsza sesja</translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation>Poprzednia sesja</translation>
    </message>
    <message>
        <source>Next session</source>
        <translation>Następna sesja</translation>
    </message>
    <message>
        <source>Last session</source>
        <translation>Ostatnia sesja</translation>
    </message>
</context>
<context>
    <name>MarkerCommands</name>
    <message>
        <source>Mar&amp;kers</source>
        <translation>&amp;Znaczniki</translation>
    </message>
    <message>
        <source>&amp;Mark Sample...</source>
        <translation>&amp;Oznacz próbkę...</translation>
    </message>
    <message>
        <source>&amp;Next Marker</source>
        <translation>&amp;Następny znacznik</translation>
    </message>
    <message>
        <source>&amp;Previous Marker</source>
        <translation>&amp;Poprzedni znacznik</translation>
    </message>
    <message>
        <source>Markers P&amp;anel</source>
        <translation>Panel &amp;znaczników</translation>
    </message>
    <message>
        <source>Mark the current sample (Ctrl+M)</source>
        <translation>Oznacz bieżącą próbkę (Ctrl+M)</translation>
    </message>
    <message>
        <source>Mark sample %1</source>
        <translation>Oznacz próbkę %1</translation>
    </message>
    <message>
        <source>Note (may be left empty):</source>
        <translation>Notatka (może pozostać pusta):</translation>
    </message>
</context>
<context>
    <name>MarkersPanel</name>
    <message>
        <source>Markers</source>
        <translation>Znaczniki</translation>
    </message>
    <message>
        <source>Markers of the recording</source>
        <translation>Znaczniki zapisu</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Próbka</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Miernik</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notatka</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Przejdź</translation>
    </message>
    <message>
        <source>Edit Note...</source>
        <translation>Edytuj notatkę...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Marker at sample %1</source>
        <translation>Znacznik przy próbce %1</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Notatka:</translation>
    </message>
</context>
<context>
    <name>LimitCountsView</name>
    <message>
        <source>Limits</source>
        <translation>Granice</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Wewnątrz</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Powyżej</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Poniżej</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Wyjścia</translation>
    </message>
    <message>
        <source>Samples inside the limits</source>
        <translation>Próbki w granicach</translation>
    </message>
    <message>
        <source>Samples above the upper limit</source>
        <translation>Próbki powyżej górnej granicy</translation>
    </message>
    <message>
        <source>Samples below the lower limit</source>
        <translation>Próbki poniżej dolnej granicy</translation>
    </message>
    <message>
        <source>Excursions outside the limits</source>
        <translation>Wyjścia poza granice</translation>
    </message>
</context>
<context>
    <name>IntervalTableModel</name>
    <message>
        <source>Start</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Miernik</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Jednostka</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Liczba</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Średnia</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maksimum</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Odch. std.</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Przeciążenia</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Wewnątrz</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Powyżej</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Poniżej</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Wyjścia</translation>
    </message>
</context>
<context>
    <name>IntervalsPanel</name>
    <message>
        <source>1 second</source>
        <translation>1 sekunda</translation>
    </message>
    <message>
        <source>10 seconds</source>
        <translation>10 sekund</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minuta</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minut</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 godzina</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 dzień</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Przedziały</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>&amp;Przedział:</translation>
    </message>
    <message>
        <source>Interval length</source>
        <translation>Długość przedziału</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Eksportuj...</translation>
    </message>
    <message>
        <source>Export the intervals as CSV</source>
        <translation>Eksportuj przedziały jako CSV</translation>
    </message>
    <message>
        <source>Figures of each interval</source>
        <translation>Wartości każdego przedziału</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>Liczenie...</translation>
    </message>
    <message>
        <source>Export Intervals</source>
        <translation>Eksportuj przedziały</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*)|*</source>
        <translation>Pliki CSV (*.csv)|*.csv|Wszystkie pliki (*)|*</translation>
    </message>
</context>
</TS>
