<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Elija un idioma</translation>
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
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Se perdió la conexión con el comprobador después de %1. Es posible que los resultados estén incompletos.</translation>
    </message>
</context>
</TS>
