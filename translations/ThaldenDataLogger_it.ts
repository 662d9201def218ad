<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Scegliere una lingua</translation>
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
        <translation>Esci</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Chiude l&apos;applicazione</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Aggiorna porte</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Aggiorna l&apos;elenco delle porte COM</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Mostra le informazioni sulla versione di Pelmar DataLogger</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Cambia lingua...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Cambia la lingua utilizzata in questa applicazione</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aiuto</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Mostra la documentazione</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>Converti dati CSV</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Connessione dispositivo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Scarica</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Dati scaricati</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Strumenti</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Impostazioni regionali</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Avviare ora il trasferimento sul tester</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>Connessione non riuscita. Verificare che il dispositivo sia collegato e acceso</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Download in corso...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Selezionare una porta e collegare il dispositivo</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>File salvato correttamente</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>File con valori separati da virgole (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tutti i file (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Salva i dati scaricati in un file</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>Convertire i dati nel formato tedesco?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>I punti decimali verranno sostituiti da virgole e le virgole che separano i campi da punti e virgola.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Errore durante l&apos;apertura di &quot;%1&quot; in scrittura. Il file è già aperto o di sola lettura?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>Informazioni su Korvane DataLogger</translation>
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
        <translation>La lingua verrà cambiata al prossimo avvio di Korvane DataLogger.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>Riavviare ora?</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>La connessione con il tester si è interrotta dopo %1. I risultati potrebbero essere incompleti.</translation>
    </message>
</context>
</TS>
