<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>Questo programma non ha una riga di comando propria. I download dal prompt dei comandi, da PowerShell o da uno script si fanno con thalden-datalogger-cli.exe nella stessa cartella, ad esempio:
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Registrazione non scritta</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>non è una registrazione</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>manca il numero del formato</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>è stata creata da una versione più recente del programma (formato %1; questa legge %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>l’intestazione non termina</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>una riga d’intestazione è «chiave: valore»</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>era atteso un blocco o la fine</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>il tempo o la lunghezza di un blocco non è un numero</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>i byte di un blocco non terminano con un fine riga</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>la sua fine non indica alcun motivo noto</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>la riga %1 è danneggiata: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>la riga %1 è più lunga di 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>il suo tempo precede quello della riga precedente</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>il suo tempo supera i dieci anni</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>l’intestazione è più lunga di 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>i suoi byte non corrispondono al numero e allo SHA-256 della sua fine alla riga %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Non è stato possibile scrivere la registrazione %1: %2. Il download prosegue senza di essa.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Scarica i risultati da PORT: il nome di una porta COM (COM5) o il suo percorso di dispositivo (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Provare «thalden-datalogger-cli --help».</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Mostra questo aiuto.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Mostra la versione.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Elenca le porte seriali come la finestra, separate da tabulazioni.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Scarica i risultati da PORT: un percorso se inizia con / o ., altrimenti un nome sotto /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Scrive i risultati in FILE, o sullo standard output con -.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Converte i risultati nel formato numerico tedesco.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Rinuncia se nessun byte è arrivato SECONDS secondi dopo la richiesta (predefinito: attende fino all’interruzione).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Provare «thalden-datalogger --help».</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Argomento inatteso: %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Niente da fare: indicare --download PORT --output FILE, oppure --list-ports.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download richiede --output FILE.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait richiede un numero positivo di secondi.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>La cartella di %1 non esiste.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>Impossibile aprire la porta.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>In attesa del tester: avviare il trasferimento sul tester.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 ricevuti in %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Ricezione...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>%1 salvati in %2.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>Impossibile scrivere sullo standard output: %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>La finestra ha bisogno di un display e non ne è stato trovato nessuno (né DISPLAY né WAYLAND_DISPLAY sono impostati). Senza display, scaricare dalla riga di comando: thalden-datalogger --help spiega come.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 può essere indicato una sola volta.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Conserva anche una registrazione del download in FILE: cosa è stato inviato, cosa è tornato e quando, come è finito.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>Al posto di --download: ripete la registrazione FILE attraverso il download e scrive ciò che scrisse quel download, con il suo codice di uscita.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay non può essere combinato con --%1.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay richiede --output FILE.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>Riproduzione del download del %1 da %2.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>contiene solo i primi %1 dei %2 byte ricevuti: ha raggiunto il suo limite di dimensione</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>La registrazione %1 non può essere riprodotta: %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>Lo standard output è chiuso.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>Lo standard error è chiuso.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>Alla fine, comunque finisca, scrive un oggetto JSON sullo standard output: il codice di uscita, se i risultati sono stati salvati, il motivo di un errore e il riepilogo del download (byte, righe, secondi, fine, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json non può essere combinato con --output %1: entrambi andrebbero sullo standard output.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>Il nome indicato per %1 (%2) non è UTF-8 valido e indicherebbe un altro file. Indicare il nome in UTF-8.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Interrotto: %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>Non è stato possibile caricare da %1 la lingua memorizzata dalla finestra; si usa l’inglese.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>La riproduzione termina come %1 dove la registrazione indica %2.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Copia in un file i risultati memorizzati di un tester FV, senza finestra.

Codici di uscita: 0 salvato; 1 errore di utilizzo; 2 impossibile aprire la porta; 3 non è arrivato nulla entro --wait; 4 impossibile scrivere il file; 5 connessione persa durante il trasferimento, o registrazione data a --replay troncata o danneggiata (viene scritto ciò che è arrivato, o ciò che precede il danno); 130 interrotto (ciò che è arrivato viene scritto).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Scegliere una lingua</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Non è arrivato nulla entro %n secondo.</numerusform>
            <numerusform>Non è arrivato nulla entro %n secondi.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>La porta è andata persa prima che arrivassero i risultati.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>Il download è stato interrotto.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>La registrazione si interrompe dopo %1, prima del suo esito: è stata troncata. I risultati potrebbero essere incompleti.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Il trasferimento è terminato a metà di una riga dopo %1. I risultati potrebbero essere incompleti.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>La connessione con il tester si è interrotta dopo %1. I risultati potrebbero essere incompleti.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>La riproduzione si ferma a un danno nella registrazione dopo %1: %2. I risultati potrebbero essere incompleti.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Su questa porta continuano ad arrivare dati prima che i risultati siano stati richiesti: il tester potrebbe stare ancora inviando un trasferimento precedente, oppure questa potrebbe essere la porta di un altro dispositivo. In attesa che la linea diventi silenziosa...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Su questa porta sono arrivati dati per %n secondo prima che fosse possibile richiedere i risultati, quindi non sono stati richiesti. Il tester potrebbe stare ancora inviando un trasferimento precedente: terminarlo sul tester, oppure spegnere e riaccendere il tester. Oppure questa potrebbe essere la porta di un altro dispositivo: verificare che sia scelta la porta del tester. Quindi scaricare di nuovo.</numerusform>
            <numerusform>Su questa porta sono arrivati dati per %n secondi prima che fosse possibile richiedere i risultati, quindi non sono stati richiesti. Il tester potrebbe stare ancora inviando un trasferimento precedente: terminarlo sul tester, oppure spegnere e riaccendere il tester. Oppure questa potrebbe essere la porta di un altro dispositivo: verificare che sia scelta la porta del tester. Quindi scaricare di nuovo.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>Non è stato trovato alcun programma per aprire &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Installare un programma per i file di questo tipo (un browser web per la guida, un foglio di calcolo o un editor di testo per i risultati) oppure aprire il file manualmente:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>appartiene a un altro utente, in una cartella condivisa dove solo il suo proprietario può sostituirlo</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (il file precedente è rimasto com&apos;era)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (il file precedente potrebbe essere danneggiato)</translation>
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
        <source>Port</source>
        <translation>Porta</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</source>
        <translation>Non è stata trovata alcuna porta seriale. Collegare il cavo o l&apos;adattatore USB del tester, verificare che il driver dell&apos;adattatore sia installato, quindi aggiornare l&apos;elenco delle porte.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Solo i membri del gruppo %2 possono aprire %1, e l&apos;account %3 non ne fa parte. Aggiungerlo con
%4
quindi uscire dalla sessione e rientrare.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Solo i membri del gruppo %2 possono aprire %1. L&apos;account %3 ne fa parte, ma questa sessione è iniziata prima della sua aggiunta: uscire dalla sessione e rientrare.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>L&apos;account non può aprire %1 (proprietario %2, gruppo %3, permessi %4), e l&apos;appartenenza al suo gruppo non cambierebbe nulla. Verificare il proprietario e i permessi del dispositivo, oppure aggiungere una regola udev come
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 è in uso da parte di ModemManager (processo %2), che esamina i nuovi dispositivi seriali alla ricerca di modem. Tenerlo lontano dall&apos;adattatore con una regola udev come
%3
oppure fermarlo con
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 è in uso da parte di brltty (processo %2), un driver per display braille che si appropria degli adattatori seriali USB. Se qui non si usa alcun display braille, rimuoverlo con
%3
oppure mascherarlo con
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 è in uso da parte di %2 (processo %3). Chiudere quel programma, quindi riprovare.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 è in uso da parte del processo %2. Chiudere il programma che lo occupa, quindi riprovare.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 è in uso da parte di un altro programma. Chiuderlo, quindi riprovare.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 non c&apos;è più: l&apos;adattatore è collegato? Collegarlo, quindi aggiornare l&apos;elenco delle porte.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>Impossibile aprire %1: %2 (errore %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 non esiste: verificare il nome, oppure collegare l&apos;adattatore e aggiornare l&apos;elenco delle porte.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 non è una porta seriale.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 è scomparsa durante l&apos;attesa del tester: l&apos;adattatore è collegato? Collegarlo, quindi aggiornare l&apos;elenco delle porte e scaricare di nuovo.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 è bloccata dal file di blocco %2, che non indica alcun programma in esecuzione: se nessun programma usa la porta, rimuovere quel file.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Produttore: %1</translation>
    </message>
    <message>
        <source>Product: %1</source>
        <comment>The %1 is the product name of a USB serial adapter</comment>
        <translation>Prodotto: %1</translation>
    </message>
    <message>
        <source>VID:PID: %1</source>
        <comment>The %1 is a USB vendor and product id such as 0403:6001</comment>
        <translation>VID:PID: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <comment>The %1 is the serial number of a USB serial adapter</comment>
        <translation>Numero di serie: %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Dispositivo: %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Nome stabile: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>I risultati scaricati il %1 (%2) non sono stati salvati. Salvarli ora?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>Seguirà ancora %n download non salvato.</numerusform>
            <numerusform>Seguiranno ancora %n download non salvati.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Non è stato possibile leggere i risultati conservati in %1: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>Sono stati conservati in %1, perché non è stato possibile scrivere nella cartella dei dati del programma.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Il download del %1 è stato interrotto dopo %2. Salvare ciò che è arrivato?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>non è un file, né una pipe, né un dispositivo a caratteri</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>Il descrittore %1 non è aperto.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>Il descrittore %1 non è aperto in scrittura.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>è stato chiesto al programma di terminare mentre attendeva un lettore</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Impossibile salvare le impostazioni in &quot;%1&quot;. La lingua, la porta e le altre scelte non verranno ricordate la prossima volta.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>è un collegamento creato da un altro utente in una cartella condivisa, che non viene seguito</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>è stato creato da un altro utente in una cartella condivisa; scegliere un altro nome</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>I risultati scaricati non sono stati salvati.</translation>
    </message>
</context>
</TS>
