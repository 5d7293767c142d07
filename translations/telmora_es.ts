<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>ChartPrintJob</name>
    <message>
        <source>printed %1    page %2 of %3</source>
        <translation>impreso %1    página %2 de %3</translation>
    </message>
    <message>
        <source>%1    printed %2    page %3 of %4</source>
        <translation>%1    impreso %2    página %3 de %4</translation>
    </message>
</context>
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Comparador: ajuste de límites superior e inferior</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>Límite superior : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>Límite inferior : </translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>%1: above the upper limit</source>
        <translation>%1: por encima del límite superior</translation>
    </message>
    <message>
        <source>%1: below the lower limit</source>
        <translation>%1: por debajo del límite inferior</translation>
    </message>
    <message>
        <source>%1: within the limits</source>
        <translation>%1: dentro de los límites</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>APAG.</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Comparador: ajuste de límites superior e inferior</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ENC.</translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>Sheet%1</source>
        <translation>Hoja%1</translation>
    </message>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation>Las lecturas faltaron durante un tiempo antes de esta línea.</translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation>&amp;Ir a la muestra…</translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation>Ir a la línea de un número de muestra (Ctrl+G)</translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation>Ir a la muestra</translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation>Número de muestra (1 a %1):</translation>
    </message>
</context>
<context>
    <name>DesktopAlerts</name>
    <message>
        <source>Meter link ended</source>
        <translation>Enlace con el multímetro finalizado</translation>
    </message>
    <message>
        <source>Waiting for the meter</source>
        <translation>Esperando al multímetro</translation>
    </message>
    <message>
        <source>Comparator alarm</source>
        <translation>Alarma del comparador</translation>
    </message>
    <message>
        <source>The reading is above the upper limit of %1.</source>
        <translation>La lectura supera el límite superior de %1.</translation>
    </message>
    <message>
        <source>The reading is below the lower limit of %1.</source>
        <translation>La lectura está por debajo del límite inferior de %1.</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>Registro detenido</translation>
    </message>
</context>
<context>
    <name>DigitalMeterWindow</name>
    <message>
        <source>No Device</source>
        <translation>Sin dispositivo</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>Dispositivo USB</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation>CSV ordenado (fecha, hora, valores SI)</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Disposición</translation>
    </message>
    <message>
        <source>Long (a row per meter and sample)</source>
        <translation>Largo (una fila por medidor y muestra)</translation>
    </message>
    <message>
        <source>Wide (a column per meter)</source>
        <translation>Ancho (una columna por medidor)</translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation>Archivo: </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>Impresora: </translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>Find in the manual (Ctrl+F)</source>
        <translation>Buscar en el manual (Ctrl+F)</translation>
    </message>
</context>
<context>
    <name>IntervalDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation>Color de la línea del gráfico</translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation>Color de línea 1...</translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation>Color de línea 2...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation>Todas las sesiones</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Sesión %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Intervals</source>
        <translation>&amp;Intervalos</translation>
    </message>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation>El cable está conectado, pero este usuario no puede abrirlo. Compruebe que la regla udev 70-telmora-cable.rules está instalada y que usted pertenece al grupo plugdev:</translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation>después vuelva a iniciar sesión y conecte el cable de nuevo.</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation>Compruebe que el cable está conectado al ordenador y al multímetro.</translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation>El cable está conectado, pero no se puede abrir.</translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation>&amp;Reconectar automáticamente</translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation>Esperando el cable…</translation>
    </message>
    <message>
        <source>Graphical &amp;viewer</source>
        <translation>&amp;Visor gráfico</translation>
    </message>
    <message>
        <source>Data L&amp;ogger</source>
        <translation>&amp;Registrador de datos</translation>
    </message>
    <message>
        <source>Readings paused: logger memory is read</source>
        <translation>Lecturas en pausa: se lee la memoria del registrador</translation>
    </message>
    <message>
        <source>Desktop &amp;notifications</source>
        <translation>&amp;Notificaciones del escritorio</translation>
    </message>
    <message>
        <source>Telmora &amp;Help</source>
        <translation>Ayuda de &amp;Telmora</translation>
    </message>
    <message>
        <source>Rename meter</source>
        <translation>Cambiar nombre del medidor</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Nuevo nombre para %1:</translation>
    </message>
    <message>
        <source>New name for %1 (%2):</source>
        <translation>Nuevo nombre para %1 (%2):</translation>
    </message>
    <message>
        <source>Link &amp;all</source>
        <translation>Conectar &amp;todos</translation>
    </message>
    <message>
        <source>Logger memory fr&amp;om</source>
        <translation>Memoria del registrador &amp;de</translation>
    </message>
    <message>
        <source>Re&amp;name meter</source>
        <translation>Cambiar &amp;nombre del medidor</translation>
    </message>
    <message>
        <source>%1 meters linked</source>
        <translation>%1 medidores conectados</translation>
    </message>
    <message>
        <source>&amp;Publish readings...</source>
        <translation>&amp;Publicar lecturas...</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math channel</source>
        <translation>Canal calculado</translation>
    </message>
    <message>
        <source>Expression of the meters&apos; readings (for example M1 * M2 or M1 - M2);
leave it empty for no math channel. The meters are:</source>
        <translation>Expresión de las lecturas de los medidores (por ejemplo M1 * M2 o M1 - M2);
déjela vacía para no tener canal calculado. Los medidores son:</translation>
    </message>
    <message>
        <source>The expression cannot be used.</source>
        <translation>No se puede usar la expresión.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Guardar como…</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Descartar</translation>
    </message>
</context>
<context>
    <name>MeterStrip</name>
    <message>
        <source>Meters</source>
        <translation>Medidores</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>Sin conexión</translation>
    </message>
    <message>
        <source>Above the upper limit</source>
        <translation>Por encima del límite superior</translation>
    </message>
    <message>
        <source>Below the lower limit</source>
        <translation>Por debajo del límite inferior</translation>
    </message>
    <message>
        <source>Within the limits</source>
        <translation>Dentro de los límites</translation>
    </message>
    <message>
        <source>Min %1 / Max %2</source>
        <translation>Mín %1 / Máx %2</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>The broker address must start with mqtt:// or mqtts://.</source>
        <translation>La dirección del bróker debe empezar por mqtt:// o mqtts://.</translation>
    </message>
    <message>
        <source>The broker address takes no path after the host.</source>
        <translation>La dirección del bróker no admite una ruta después del host.</translation>
    </message>
    <message>
        <source>Give the user name and password in their own fields, not in the broker address.</source>
        <translation>Escriba el nombre de usuario y la contraseña en sus propios campos, no en la dirección del bróker.</translation>
    </message>
    <message>
        <source>The IPv6 address lacks its closing ].</source>
        <translation>Falta el ] de cierre de la dirección IPv6.</translation>
    </message>
    <message>
        <source>Unexpected text after the host.</source>
        <translation>Texto inesperado después del host.</translation>
    </message>
    <message>
        <source>The broker address has no host.</source>
        <translation>La dirección del bróker no tiene host.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>El puerto debe ser un número de 1 a 65535.</translation>
    </message>
    <message>
        <source>The topic prefix must not contain + or #.</source>
        <translation>El prefijo de tema no debe contener + ni #.</translation>
    </message>
    <message>
        <source>The topic prefix is too long.</source>
        <translation>El prefijo de tema es demasiado largo.</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish readings</source>
        <translation>Publicar lecturas</translation>
    </message>
    <message>
        <source>The publishing settings could not be kept.</source>
        <translation>No se pudieron guardar los ajustes de publicación.</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation>La contraseña se guarda en el almacén de secretos del escritorio.</translation>
    </message>
    <message>
        <source>No secret store was found: the password is kept in %1, which only you can read.</source>
        <translation>No se encontró un almacén de secretos: la contraseña se guarda en %1, que solo usted puede leer.</translation>
    </message>
    <message>
        <source>The password is kept until Telmora ends: the configuration folder cannot be used.</source>
        <translation>La contraseña se guarda hasta que Telmora termine: no se puede usar la carpeta de configuración.</translation>
    </message>
    <message>
        <source>&amp;Publish every reading to an MQTT broker</source>
        <translation>&amp;Publicar cada lectura en un bróker MQTT</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Bróker:</translation>
    </message>
    <message>
        <source>chosen by Telmora</source>
        <translation>elegido por Telmora</translation>
    </message>
    <message>
        <source>&amp;Client id:</source>
        <translation>Id. de &amp;cliente:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nombre de &amp;usuario:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Con&amp;traseña:</translation>
    </message>
    <message>
        <source>&amp;Topic prefix:</source>
        <translation>Prefijo de &amp;tema:</translation>
    </message>
    <message>
        <source>0 - at most once</source>
        <translation>0 - como máximo una vez</translation>
    </message>
    <message>
        <source>1 - at least once</source>
        <translation>1 - al menos una vez</translation>
    </message>
    <message>
        <source>&amp;Quality of service:</source>
        <translation>&amp;Calidad de servicio:</translation>
    </message>
    <message>
        <source>the system&apos;s certificates (mqtts only)</source>
        <translation>los certificados del sistema (solo mqtts)</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>E&amp;xaminar...</translation>
    </message>
    <message>
        <source>C&amp;A certificate:</source>
        <translation>Certificado de &amp;CA:</translation>
    </message>
    <message>
        <source>Each meter publishes to %1/&lt;serial number&gt;/reading, …/statistics and …/status.</source>
        <translation>Cada medidor publica en %1/&lt;número de serie&gt;/reading, …/statistics y …/status.</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>Certificado de CA</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Certificados (*.pem *.crt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The broker address cannot be used.</source>
        <translation>No se puede usar la dirección del bróker.</translation>
    </message>
    <message>
        <source>The topic prefix cannot be used.</source>
        <translation>No se puede usar el prefijo de tema.</translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>No readings yet</source>
        <translation>Aún no hay lecturas</translation>
    </message>
    <message>
        <source>Newest reading %1 at %2, lowest %3, highest %4</source>
        <translation>Última lectura %1 a las %2, mínima %3, máxima %4</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Registrador de datos</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation>Máx.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Mín.</translation>
    </message>
</context>
<context>
    <name>RecorderText</name>
    <message>
        <source>[cannot be read: the recording&apos;s file has become shorter]</source>
        <translation>[no se puede leer: el archivo de la grabación se ha acortado]</translation>
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
        <translation>Página %1</translation>
    </message>
    <message>
        <source>unsaved recording</source>
        <translation>registro sin guardar</translation>
    </message>
    <message>
        <source>Writing the file…</source>
        <translation>Escribiendo el archivo…</translation>
    </message>
    <message>
        <source>%1 of %2 samples written</source>
        <translation>%1 de %2 muestras escritas</translation>
    </message>
    <message>
        <source>M&amp;ath channel...</source>
        <translation>Canal &amp;calculado...</translation>
    </message>
    <message>
        <source>Telmora recording</source>
        <translation>Grabación de Telmora</translation>
    </message>
    <message>
        <source>Meter %1</source>
        <translation>Medidor %1</translation>
    </message>
    <message>
        <source>T&amp;rigger...</source>
        <translation>Dispa&amp;rador...</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>Esperando %1</translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation>Colocar el cursor en la muestra mayor</translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation>Colocar el cursor en la muestra menor</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Registrador de datos</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Mostrado</translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation>Telmora terminó inesperadamente mientras grababa. ¿Abrir la grabación del %1 con %2 muestras?</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>No se puede crear el archivo %1: %2</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>No se puede escribir el archivo %1: %2</translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation>Pantalla principal</translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation>Pantalla secundaria</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Máx.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Mín.</translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation>Pantalla secundaria</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sesión</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Sesión %1</translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation>sesiones descargadas del multímetro</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation>Los ajustes y la posición de las ventanas de esta ejecución no se guardan.</translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation>Las grabaciones no pueden guardarse en el disco mientras se realizan, por lo que se rechaza la grabación.</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation>Cantidad</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Desv. típ.</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Sobrecargas</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabación</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Mostrado</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation>No se usa la carpeta %1: %2.</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Alarm: %1 went above the upper limit</source>
        <translation>Alarma: %1 superó el límite superior</translation>
    </message>
    <message>
        <source>Alarm: %1 went below the lower limit</source>
        <translation>Alarma: %1 bajó del límite inferior</translation>
    </message>
    <message>
        <source>The cable of %1 was lost</source>
        <translation>Se perdió el cable de %1</translation>
    </message>
    <message>
        <source>The cable of %1 is back</source>
        <translation>El cable de %1 ha vuelto</translation>
    </message>
    <message>
        <source>The markers kept with this recording could not be read; the recording was opened without them.</source>
        <translation>No se pudieron leer las marcas de esta grabación; la grabación se abrió sin ellas.</translation>
    </message>
    <message>
        <source>The markers could not be kept beside the recording&apos;s temporary files. Until the recording is saved they are held only in memory.</source>
        <translation>No se pudieron guardar las marcas junto a los archivos temporales de la grabación. Hasta que se guarde la grabación, solo están en memoria.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation>Copyright (C) 2026 los desarrolladores de Telmora</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>Medidor digital</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>Medidor analógico</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>Comparador</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>Lista de datos</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>Registrador gráfico</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>Visor gráfico</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>Opción de intervalo de adquisición</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>Exportar registrador de datos</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Registrador de datos</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>Modo de adquisición</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>Velocidad máxima</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>Personalización...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>Intervalo en segundo(s)</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>¿Introducir un valor entero ? </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>Metarchivo</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>Mapa de bits</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>Solo texto/datos</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Portapapeles</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Impresora</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>Intervalo de páginas</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Todas las páginas</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>Esta página</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Páginas</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>Tamaño del objeto</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>Sin tamaño específico</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Píxeles</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>Milímetros</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pulgadas</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ancho</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>Con&amp;figurar impresora...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>&amp;Importar datos del multímetro</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Ce&amp;rrar</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Conectar</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>&amp;Desconectar</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation>Borrar todos los datos</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Ventana</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaico</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>Medidor &amp;digital</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>Medidor &amp;analógico</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>&amp;Comparador</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>Registrador &amp;gráfico</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>&amp;Lista de datos</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Puerto</translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation>Puerto &amp;COM</translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation>Puerto &amp;USB</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>A&amp;dquisición</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>I&amp;ntervalo...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>P&amp;rimera página</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>Página &amp;anterior</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>Página &amp;siguiente</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>Ú&amp;ltima página</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>Im&amp;primir esta página ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>E&amp;xportar ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>&amp;Color de la línea del gráfico</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>A&amp;justar a todos los datos</translation>
    </message>
    <message>
        <source>Undo &amp;Zooming</source>
        <translation>&amp;Deshacer zoom</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Acerca de...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>Conectar al multímetro</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>Desconectar el multímetro</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>Ventanas en mosaico</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>Medidor digital</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>Medidor analógico</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Lista de datos</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>Selección de puerto...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>Iniciar adquisición</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>Detener adquisición</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Abrir archivo...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Guardar archivo...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Imprimir esta página</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Borrar registro</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>Opción de intervalo...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>Adquisición manual</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Primera página</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Última página</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>Ajustar a todos los datos</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>Deshacer zoom</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>Importar datos del multímetro</translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation>Se destruirán todos los datos del búfer.</translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation>Convirtiendo...</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>Registrando datos ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>Datos en el búfer : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>Página : %d de %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>¿Desea guardar los datos en un archivo antes de salir ?</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>Se reintentará automáticamente en 3 segundos.</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>(Continuará automáticamente en 3 segundos.)</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>Leyendo datos : %d de %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>La batería del multímetro está baja.</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>¿Realmente desea borrar los datos del búfer ?</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>El búfer contiene datos.</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>No se recibieron datos.</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>Leyendo datos del archivo seleccionado. Espere, por favor ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>Añadiendo datos al búfer. Espere, por favor...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>Primera página.</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>Última página.</translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation>¿Realmente desea continuar?</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>Adquiriendo  datos del multímetro ... espere, por favor ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>Procesando datos ... espere, por favor ...</translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation>Solo se pudieron leer las sesiones completas de la memoria del multímetro.</translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation>El registrador sigue grabando.
¿Seguir grabando con la ventana cerrada?

Sí: la grabación continúa en segundo plano.
No: la grabación se detiene.
Cancelar: la ventana permanece abierta.</translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation>Una grabación que quedó cuando Telmora terminó inesperadamente se conserva en el disco, pero no se puede recuperar ahora. Se ofrecerá en un inicio posterior, cuando haya espacio en el disco.</translation>
    </message>
    <message>
        <source>Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:</source>
        <translation>No todos los multímetros de esta grabación están conectados. Estos multímetros registran huecos hasta que se conecten y la grabación se inicie de nuevo:</translation>
    </message>
    <message>
        <source>Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?</source>
        <translation>Telmora también dejó la grabación del %1 con %2 muestras. La grabación elegida para Abrir se abrirá después de esta. ¿Guardar esta grabación con un nombre nuevo o descartarla?</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>Advertencia[W%d]</translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation>El archivo está dañado o no es un archivo de este programa.</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>Debe conectarse al multímetro con el botón de conexión antes de iniciar el registro de datos.</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>No se puede crear el archivo de almacenamiento temporal en tiempo real en el disco duro.</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>Error al abrir el archivo.</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>Error al guardar el archivo.</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>¡Memoria del sistema insuficiente !</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>¡No es un valor de coma flotante válido !</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>El ajuste de límites no es aceptable.</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>¡Pulse &quot;Examinar&quot; e indique un nombre de archivo !</translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation>No se encontró el cable adaptador USB.</translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation>Tiempo de espera de la transmisión de datos agotado.</translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation>Su multímetro está apagado, desconectado o no tiene la función integrada de registro de datos (DATA LOGGING).</translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation>No se puede escribir el archivo de ajustes.</translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation>El multímetro no responde. El cable adaptador USB está conectado: compruebe que el multímetro está encendido y que el cable está conectado al multímetro.</translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation>No hay ninguna impresora configurada. Configure una impresora o elija imprimir en un archivo PDF.</translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation>No se pudo imprimir el gráfico.</translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation>El archivo que contiene esta grabación se ha acortado. Las muestras que ya no contiene no se pueden mostrar, guardar ni exportar; quedan fuera de las estadísticas.</translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation>No se usa una carpeta para los archivos de Telmora porque otros usuarios podrían modificar sus archivos.</translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation>La muestra más reciente no se pudo escribir en el almacenamiento temporal del disco duro y solo se conserva en memoria. La grabación se ha detenido.</translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation>El intervalo debe ser un número entero de segundos entre 0 y %d.</translation>
    </message>
    <message>
        <source>Nothing was replaced: the files that were there before are as they were.</source>
        <translation>No se ha reemplazado nada: los archivos que había antes siguen como estaban.</translation>
    </message>
    <message>
        <source>M%d is not a meter of this recording (it has %d).</source>
        <translation>M%d no es un multímetro de esta grabación (tiene %d).</translation>
    </message>
    <message>
        <source>The expression cannot be read at character %d (counted from 1).</source>
        <translation>La expresión no se puede leer en el carácter %d (contando desde 1).</translation>
    </message>
    <message>
        <source>The expression is not finished: a value or a closing parenthesis is missing at its end.</source>
        <translation>La expresión no está terminada: falta un valor o un paréntesis de cierre al final.</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>Error[E%d]</translation>
    </message>
    <message>
        <source>A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:</source>
        <translation>Un archivo de texto contiene las lecturas de un solo medidor, por lo que cada medidor de la grabación se exportó a un archivo propio:</translation>
    </message>
    <message>
        <source>A condition names a meter, &gt; or &lt; and a level, for example M1 &gt; 5 V or M2 &lt; 2.2k.</source>
        <translation>Una condición nombra un multímetro, &gt; o &lt; y un umbral, por ejemplo M1 &gt; 5 V o M2 &lt; 2.2k.</translation>
    </message>
    <message>
        <source>The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.</source>
        <translation>El umbral no es un número. Escríbalo con un punto como separador decimal y, si lo desea, un prefijo (p, n, u, m, k, M, G, T), por ejemplo 2.2k.</translation>
    </message>
    <message>
        <source>The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.</source>
        <translation>El multímetro no muestra esa unidad. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA o VAR, u omítala.</translation>
    </message>
    <message>
        <source>The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.</source>
        <translation>La hora debe escribirse como HH:MM o HH:MM:SS, de 00:00 a 23:59:59.</translation>
    </message>
    <message>
        <source>The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.</source>
        <translation>La parada debe ser una duración con su unidad (90s, 10m, 1.5h) o un número de muestras de al menos 1.</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Disparador</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Iniciar la grabación</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>De inmediato</translation>
    </message>
    <message>
        <source>When a value crosses a level:</source>
        <translation>Cuando un valor cruza un umbral:</translation>
    </message>
    <message>
        <source>At the time of day:</source>
        <translation>A la hora:</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Detener la grabación</translation>
    </message>
    <message>
        <source>By hand</source>
        <translation>A mano</translation>
    </message>
    <message>
        <source>After a duration (90s, 10m, 1.5h) or a number of samples:</source>
        <translation>Tras una duración (90s, 10m, 1.5h) o un número de muestras:</translation>
    </message>
    <message>
        <source>When a condition holds:</source>
        <translation>Cuando se cumple una condición:</translation>
    </message>
    <message>
        <source>Conditions read M1 &gt; 5 V or M2 &lt; 2.2k. The meters are:</source>
        <translation>Las condiciones se escriben M1 &gt; 5 V o M2 &lt; 2.2k. Los multímetros son:</translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation>Pulse para leer la versión del firmware y el número de serie del cable</translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation>Información del &amp;cable</translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation>Compañero de escritorio para multímetros digitales conectados por USB</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Versión %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation>Software libre bajo la GNU GPL v3 o posterior; SIN NINGUNA GARANTÍA.</translation>
    </message>
</context>
<context>
    <name>telmora::Application</name>
    <message>
        <source>Meter %1</source>
        <translation>Medidor %1</translation>
    </message>
</context>
<context>
    <name>telmora::ComparatorLimitsDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Interrumpir</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continuar</translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Interrumpir</translation>
    </message>
</context>
<context>
    <name>telmora::ReadingPublisher</name>
    <message>
        <source>MQTT: no meter linked</source>
        <translation>MQTT: ningún medidor conectado</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT: conectando</translation>
    </message>
    <message>
        <source>MQTT: connected</source>
        <translation>MQTT: conectado</translation>
    </message>
    <message>
        <source>MQTT: not connected</source>
        <translation>MQTT: sin conexión</translation>
    </message>
    <message>
        <source>MQTT: refused</source>
        <translation>MQTT: rechazado</translation>
    </message>
    <message>
        <source>%1 readings dropped</source>
        <translation>%1 lecturas descartadas</translation>
    </message>
</context>
<context>
    <name>telmora::RecorderController</name>
    <message>
        <source>The recorder is busy.</source>
        <translation>El registrador está ocupado.</translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation>Primera sesión</translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation>Sesión anterior</translation>
    </message>
    <message>
        <source>Next session</source>
        <translation>Sesión siguiente</translation>
    </message>
    <message>
        <source>Last session</source>
        <translation>Última sesión</translation>
    </message>
</context>
<context>
    <name>MarkerCommands</name>
    <message>
        <source>Mar&amp;kers</source>
        <translation>&amp;Marcas</translation>
    </message>
    <message>
        <source>&amp;Mark Sample...</source>
        <translation>&amp;Marcar muestra...</translation>
    </message>
    <message>
        <source>&amp;Next Marker</source>
        <translation>Marca &amp;siguiente</translation>
    </message>
    <message>
        <source>&amp;Previous Marker</source>
        <translation>Marca a&amp;nterior</translation>
    </message>
    <message>
        <source>Markers P&amp;anel</source>
        <translation>&amp;Panel de marcas</translation>
    </message>
    <message>
        <source>Mark the current sample (Ctrl+M)</source>
        <translation>Marcar la muestra actual (Ctrl+M)</translation>
    </message>
    <message>
        <source>Mark sample %1</source>
        <translation>Marcar la muestra %1</translation>
    </message>
    <message>
        <source>Note (may be left empty):</source>
        <translation>Nota (puede quedar vacía):</translation>
    </message>
</context>
<context>
    <name>MarkersPanel</name>
    <message>
        <source>Markers</source>
        <translation>Marcas</translation>
    </message>
    <message>
        <source>Markers of the recording</source>
        <translation>Marcas de la grabación</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Muestra</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Medidor</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Ir a</translation>
    </message>
    <message>
        <source>Edit Note...</source>
        <translation>Editar nota...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Marker at sample %1</source>
        <translation>Marca en la muestra %1</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Nota:</translation>
    </message>
</context>
<context>
    <name>LimitCountsView</name>
    <message>
        <source>Limits</source>
        <translation>Límites</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Dentro</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Por encima</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Por debajo</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Salidas</translation>
    </message>
    <message>
        <source>Samples inside the limits</source>
        <translation>Muestras dentro de los límites</translation>
    </message>
    <message>
        <source>Samples above the upper limit</source>
        <translation>Muestras por encima del límite superior</translation>
    </message>
    <message>
        <source>Samples below the lower limit</source>
        <translation>Muestras por debajo del límite inferior</translation>
    </message>
    <message>
        <source>Excursions outside the limits</source>
        <translation>Salidas fuera de los límites</translation>
    </message>
</context>
<context>
    <name>IntervalTableModel</name>
    <message>
        <source>Start</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Multímetro</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Desv. est.</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Sobrecargas</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Dentro</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Por encima</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>Por debajo</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Salidas</translation>
    </message>
</context>
<context>
    <name>IntervalsPanel</name>
    <message>
        <source>1 second</source>
        <translation>1 segundo</translation>
    </message>
    <message>
        <source>10 seconds</source>
        <translation>10 segundos</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minuto</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minutos</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hora</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 día</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalos</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>&amp;Intervalo:</translation>
    </message>
    <message>
        <source>Interval length</source>
        <translation>Duración del intervalo</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportar...</translation>
    </message>
    <message>
        <source>Export the intervals as CSV</source>
        <translation>Exportar los intervalos como CSV</translation>
    </message>
    <message>
        <source>Figures of each interval</source>
        <translation>Cifras de cada intervalo</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>Contando...</translation>
    </message>
    <message>
        <source>Export Intervals</source>
        <translation>Exportar intervalos</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*)|*</source>
        <translation>Archivos CSV (*.csv)|*.csv|Todos los archivos (*)|*</translation>
    </message>
</context>
</TS>
