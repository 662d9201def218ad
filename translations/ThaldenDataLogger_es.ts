<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>Este programa no tiene línea de comandos propia. Las descargas desde el símbolo del sistema, PowerShell o un script se hacen con thalden-datalogger-cli.exe, en la misma carpeta, por ejemplo:
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Captura no escrita</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>no es una captura</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>falta el número del formato</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>fue creada por una versión más reciente del programa (formato de captura %1; esta lee %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>la cabecera no termina</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>una línea de cabecera es «clave: valor»</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>se esperaba un bloque o el final</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>el tiempo o la longitud de un bloque no es un número</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>los bytes de un bloque no terminan con un fin de línea</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>su final no nombra ningún motivo conocido</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>la línea %1 está dañada: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>la línea %1 tiene más de 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>su tiempo es anterior al de la línea que la precede</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>su tiempo supera los diez años</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>la cabecera tiene más de 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>sus bytes no coinciden con el número y el SHA-256 de su final en la línea %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>No se pudo escribir la captura %1: %2. La descarga continúa sin ella.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Descarga los resultados de PORT: el nombre de un puerto COM (COM5) o su ruta de dispositivo (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Pruebe «thalden-datalogger-cli --help».</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Muestra la versión.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Enumera los puertos serie como la ventana, separados por tabuladores.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Descarga los resultados de PORT: una ruta si empieza por / o ., si no un nombre bajo /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Escribe los resultados en FILE, o en la salida estándar con -.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Convierte los resultados al formato numérico alemán.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Desiste si no ha llegado ningún byte SECONDS segundos después de la petición (por defecto: espera hasta que se interrumpa).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Pruebe «thalden-datalogger --help».</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Argumento inesperado: %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Nada que hacer: indique --download PORT --output FILE, o --list-ports.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download necesita --output FILE.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait necesita un número positivo de segundos.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>La carpeta de %1 no existe.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>No se pudo abrir el puerto.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>Esperando al comprobador: inicie la transferencia en el comprobador.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 recibidos en %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Recibiendo...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>%1 guardados en %2.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>No se pudo escribir en la salida estándar: %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>La ventana necesita una pantalla y no se encontró ninguna (no están definidas ni DISPLAY ni WAYLAND_DISPLAY). Sin pantalla, descargue con la línea de comandos: thalden-datalogger --help explica cómo.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 solo puede indicarse una vez.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Guarda además una captura de la descarga en FILE: qué se envió, qué llegó y cuándo, cómo terminó.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>En lugar de --download: vuelve a pasar la captura FILE por la descarga y escribe lo que escribió aquella descarga, con su código de salida.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay no puede combinarse con --%1.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay necesita --output FILE.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>Reproduciendo la descarga del %1 desde %2.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>solo contiene los primeros %1 de los %2 bytes recibidos: alcanzó su límite de tamaño</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>La captura %1 no se puede reproducir: %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>La salida estándar está cerrada.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>La salida de error estándar está cerrada.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>Al final, termine como termine, escribe un objeto JSON en la salida estándar: el código de salida, si se guardaron los resultados, el motivo de un fallo y el resumen de la descarga (bytes, líneas, segundos, final, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json no puede combinarse con --output %1: ambos irían a la salida estándar.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>El nombre indicado en %1 (%2) no es UTF-8 válido y designaría otro archivo. Indique el nombre en UTF-8.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Interrumpido: %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>No se pudo cargar el idioma guardado por la ventana desde %1; se usa el inglés.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>La reproducción termina como %1 donde la captura registra %2.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Copia en un archivo los resultados almacenados de un comprobador FV, sin ventana.

Códigos de salida: 0 guardado; 1 error de uso; 2 no se pudo abrir el puerto; 3 no llegó nada dentro de --wait; 4 no se pudo escribir el archivo; 5 se perdió la conexión durante la transferencia, o la captura dada a --replay quedó cortada o está dañada (se escribe lo que llegó, o lo que precede al daño); 130 interrumpido (se escribe lo que llegó).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Elija un idioma</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>No llegó nada en %n segundo.</numerusform>
            <numerusform>No llegó nada en %n segundos.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>Se perdió el puerto antes de que llegara ningún resultado.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>La descarga se interrumpió.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>La captura se detiene tras %1, antes de su desenlace: quedó cortada. Es posible que los resultados estén incompletos.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>La transferencia terminó en mitad de una línea después de %1. Es posible que los resultados estén incompletos.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Se perdió la conexión con el comprobador después de %1. Es posible que los resultados estén incompletos.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>La reproducción se detiene en un daño de la captura tras %1: %2. Es posible que los resultados estén incompletos.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Siguen llegando datos por este puerto antes de haber pedido los resultados: puede que el comprobador aún esté enviando una transferencia anterior, o que este sea el puerto de otro dispositivo. Esperando a que la línea quede en silencio...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Llegaron datos por este puerto durante %n segundo antes de poder pedir los resultados, así que no se pidieron. Puede que el comprobador aún esté enviando una transferencia anterior: termínela en el comprobador, o apague y encienda el comprobador. O puede que este sea el puerto de otro dispositivo: compruebe que está elegido el puerto del comprobador. Después vuelva a descargar.</numerusform>
            <numerusform>Llegaron datos por este puerto durante %n segundos antes de poder pedir los resultados, así que no se pidieron. Puede que el comprobador aún esté enviando una transferencia anterior: termínela en el comprobador, o apague y encienda el comprobador. O puede que este sea el puerto de otro dispositivo: compruebe que está elegido el puerto del comprobador. Después vuelva a descargar.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>No se encontró ningún programa para abrir «%1».</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Instale un programa para archivos de este tipo (un navegador web para la ayuda, una hoja de cálculo o un editor de texto para los resultados) o abra el archivo usted mismo:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>pertenece a otro usuario, en una carpeta compartida donde solo su propietario puede reemplazarlo</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (el archivo anterior está como estaba)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (el archivo anterior puede estar dañado)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Korvane DataLogger</source>
        <translation>Korvane DataLogger</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Cierra la aplicación</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Actualizar puertos</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Actualiza la lista de puertos COM</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Muestra información sobre la versión de Pelmar DataLogger</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Cambiar idioma...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Cambia el idioma utilizado en esta aplicación</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Muestra la documentación</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>Convertir datos CSV</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Conexión del dispositivo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Datos descargados</translation>
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
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Configuración regional</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Inicie ahora la transferencia en el comprobador</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>No se pudo conectar. Compruebe que el dispositivo está conectado y encendido</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Descargando...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Seleccione un puerto y conecte su dispositivo</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>Archivo guardado correctamente</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>Archivos de valores separados por comas (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Guardar los datos descargados en un archivo</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>¿Desea convertir los datos al formato alemán?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Los puntos decimales se sustituirán por comas, y las comas que separan los campos, por punto y coma.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Error al abrir «%1» para escritura. ¿Está ya abierto o es de solo lectura?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>Acerca de Korvane DataLogger</translation>
    </message>
    <message>
        <source>Korvane DataLogger

 %1
</source>
        <comment>The %1 is replaced with the version number so please don&apos;t remove it!</comment>
        <translation>Korvane DataLogger

 %1
</translation>
    </message>
    <message>
        <source>The language will be changed next time Korvane DataLogger is started.</source>
        <translation>El idioma se cambiará la próxima vez que se inicie Korvane DataLogger.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>¿Desea reiniciar ahora?</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</source>
        <translation>No se ha encontrado ningún puerto serie. Conecte el cable o el adaptador USB del comprobador, compruebe que el controlador del adaptador está instalado y, después, actualice la lista de puertos.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Solo los miembros del grupo %2 pueden abrir %1, y su cuenta %3 no es uno de ellos. Añádala con
%4
y después cierre la sesión y vuelva a iniciarla.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Solo los miembros del grupo %2 pueden abrir %1. Su cuenta %3 lo es, pero esta sesión comenzó antes de que se uniera: cierre la sesión y vuelva a iniciarla.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>Su cuenta no puede abrir %1 (propietario %2, grupo %3, permisos %4), y ser miembro de su grupo no cambiaría nada. Compruebe el propietario y los permisos del dispositivo, o añada una regla de udev como
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 está en uso por ModemManager (proceso %2), que sondea los nuevos dispositivos serie en busca de módems. Manténgalo alejado del adaptador con una regla de udev como
%3
o deténgalo con
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 está en uso por brltty (proceso %2), un controlador de líneas braille que se apropia de los adaptadores serie USB. Si aquí no se usa ninguna línea braille, desinstálelo con
%3
o enmascárelo con
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 está en uso por %2 (proceso %3). Cierre ese programa y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 está en uso por el proceso %2. Cierre el programa que lo ocupa y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 está en uso por otro programa. Ciérrelo y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 ya no está: ¿está enchufado el adaptador? Enchúfelo y, después, actualice la lista de puertos.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>No se pudo abrir %1: %2 (error %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 no existe: compruebe el nombre, o enchufe el adaptador y actualice la lista de puertos.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 no es un puerto serie.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 desapareció mientras se esperaba al comprobador: ¿está enchufado el adaptador? Enchúfelo, actualice la lista de puertos y vuelva a descargar.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 está bloqueado por el archivo de bloqueo %2, que no nombra ningún programa en ejecución: si ningún programa usa el puerto, elimine ese archivo.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Fabricante: %1</translation>
    </message>
    <message>
        <source>Product: %1</source>
        <comment>The %1 is the product name of a USB serial adapter</comment>
        <translation>Producto: %1</translation>
    </message>
    <message>
        <source>VID:PID: %1</source>
        <comment>The %1 is a USB vendor and product id such as 0403:6001</comment>
        <translation>VID:PID: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <comment>The %1 is the serial number of a USB serial adapter</comment>
        <translation>Número de serie: %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Dispositivo: %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Nombre estable: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Los resultados descargados el %1 (%2) no se guardaron. ¿Guardarlos ahora?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>Después vendrá %n descarga más sin guardar.</numerusform>
            <numerusform>Después vendrán %n descargas más sin guardar.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>No se pudieron leer los resultados conservados en %1: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>Se conservaron en %1, porque no se pudo escribir en la carpeta de datos del programa.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>La descarga del %1 se interrumpió después de %2. ¿Guardar lo que llegó?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>no es un archivo, ni una tubería, ni un dispositivo de caracteres</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>El descriptor %1 no está abierto.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>El descriptor %1 no está abierto para escritura.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>se pidió al programa que terminara mientras esperaba a un lector</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>No se pueden guardar sus ajustes en «%1». El idioma, el puerto y sus demás opciones no se recordarán la próxima vez.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>es un enlace que otro usuario creó en una carpeta compartida, y no se sigue</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>lo creó otro usuario en una carpeta compartida; elija otro nombre</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>Los resultados descargados no se han guardado.</translation>
    </message>
</context>
</TS>
