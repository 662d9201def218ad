<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>Dieses Programm hat keine eigene Kommandozeile. Downloads aus der Eingabeaufforderung, der PowerShell oder einem Skript macht thalden-datalogger-cli.exe im selben Ordner, zum Beispiel:
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Mitschnitt nicht geschrieben</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>es ist kein Mitschnitt</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>die Nummer des Formats fehlt</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>er wurde von einer neueren Version des Programms erstellt (Mitschnittformat %1; diese liest %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>der Kopf endet nicht</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>eine Kopfzeile lautet „Schlüssel: Wert“</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>erwartet wurde ein Block oder das Ende</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>Zeit oder Länge eines Blocks ist keine Zahl</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>die Bytes eines Blocks enden nicht mit einem Zeilenende</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>sein Ende nennt keinen bekannten Grund</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>Zeile %1 ist beschädigt: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>Zeile %1 ist länger als 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>ihre Zeit liegt vor der Zeit der Zeile davor</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>ihre Zeit beträgt mehr als zehn Jahre</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>der Kopf ist länger als 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>seine Bytes passen nicht zu Anzahl und SHA-256 an seinem Ende in Zeile %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Der Mitschnitt %1 konnte nicht geschrieben werden: %2. Die Übertragung läuft ohne ihn weiter.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Lädt die Ergebnisse von PORT herunter: der Name eines COM-Ports (COM5) oder sein Gerätepfad (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Siehe „thalden-datalogger-cli --help“.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Zeigt die Version an.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Listet die seriellen Anschlüsse wie das Fenster auf, durch Tabulatoren getrennt.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Lädt die Ergebnisse von PORT herunter: ein Pfad, wenn er mit / oder . beginnt, sonst ein Name unter /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Schreibt die Ergebnisse in FILE oder bei - in die Standardausgabe.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Wandelt die Ergebnisse in das deutsche Zahlenformat um.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Gibt auf, wenn SECONDS nach der Anfrage noch kein Byte angekommen ist (ohne Angabe: wartet bis zur Unterbrechung).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Siehe „thalden-datalogger --help“.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Nichts zu tun: Geben Sie --download PORT --output FILE oder --list-ports an.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download braucht --output FILE.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait braucht eine positive Zahl von Sekunden.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>Der Ordner von %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>Der Anschluss konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>Warten auf das Prüfgerät: Starten Sie die Übertragung am Prüfgerät.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 empfangen in %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Empfang läuft...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>%1 in %2 gespeichert.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>Die Standardausgabe konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>Das Fenster braucht eine Anzeige, und es wurde keine gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt). Ohne Anzeige laden Sie über die Kommandozeile herunter: thalden-datalogger --help erklärt, wie.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 darf nur einmal angegeben werden.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Legt zusätzlich einen Mitschnitt der Übertragung in FILE ab: was gesendet wurde, was wann zurückkam, wie sie endete.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>Statt --download: spielt den Mitschnitt FILE erneut durch die Übertragung und schreibt, was jene Übertragung schrieb, mit ihrem Exit-Code.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay kann nicht mit --%1 kombiniert werden.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay braucht --output FILE.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>Die Übertragung vom %1 von %2 wird erneut abgespielt.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>er enthält nur die ersten %1 der %2 empfangenen Bytes: er hat seine Größengrenze erreicht</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>Der Mitschnitt %1 kann nicht abgespielt werden: %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>Die Standardausgabe ist geschlossen.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>Die Standardfehlerausgabe ist geschlossen.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>Schreibt am Ende, wie auch immer es ausgeht, ein JSON-Objekt auf die Standardausgabe: den Exit-Code, ob die Ergebnisse gespeichert wurden, den Grund eines Fehlschlags und die Zusammenfassung der Übertragung (Bytes, Zeilen, Sekunden, Ende, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json kann nicht mit --output %1 kombiniert werden: beides ginge auf die Standardausgabe.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>Der bei %1 angegebene Name (%2) ist kein gültiges UTF-8 und würde eine andere Datei bezeichnen. Geben Sie den Namen in UTF-8 an.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Abgebrochen: %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>Die vom Fenster gespeicherte Sprache konnte nicht aus %1 geladen werden; es wird Englisch verwendet.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>Die Wiedergabe endet als %1, wo der Mitschnitt %2 verzeichnet.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Kopiert die gespeicherten Ergebnisse eines PV-Prüfgeräts in eine Datei, ohne Fenster.

Exit-Codes: 0 gespeichert; 1 Aufruffehler; 2 der Anschluss konnte nicht geöffnet werden; 3 innerhalb von --wait kam nichts an; 4 die Datei konnte nicht geschrieben werden; 5 die Verbindung brach während der Übertragung ab, oder der bei --replay angegebene Mitschnitt wurde abgeschnitten oder ist beschädigt (das Angekommene bzw. das vor der beschädigten Stelle Stehende wird geschrieben); 130 unterbrochen (das Angekommene wird geschrieben).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Bitte wählen Sie eine Sprache</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Innerhalb von %n Sekunde kam nichts an.</numerusform>
            <numerusform>Innerhalb von %n Sekunden kam nichts an.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>Der Anschluss ging verloren, bevor Ergebnisse ankamen.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>Die Übertragung wurde unterbrochen.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>Der Mitschnitt bricht nach %1 ab, vor seinem Abschluss: Er wurde abgeschnitten. Die Ergebnisse sind möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Die Übertragung endete nach %1 mitten in einer Zeile. Die Ergebnisse sind möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Die Verbindung zum Prüfgerät wurde nach %1 unterbrochen. Die Ergebnisse sind möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>Die Wiedergabe endet an einer beschädigten Stelle des Mitschnitts nach %1: %2. Die Ergebnisse sind möglicherweise unvollständig.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Auf diesem Anschluss treffen Daten ein, bevor die Ergebnisse angefordert wurden: Das Prüfgerät sendet vielleicht noch eine frühere Übertragung, oder dies ist der Anschluss eines anderen Geräts. Es wird gewartet, bis die Leitung still ist...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Auf diesem Anschluss trafen %n Sekunde lang Daten ein, bevor die Ergebnisse angefordert werden konnten, daher wurden sie nicht angefordert. Das Prüfgerät sendet vielleicht noch eine frühere Übertragung: Beenden Sie sie am Prüfgerät oder schalten Sie das Prüfgerät aus und wieder ein. Oder dies ist der Anschluss eines anderen Geräts: Prüfen Sie, ob der Anschluss des Prüfgeräts gewählt ist. Laden Sie dann erneut herunter.</numerusform>
            <numerusform>Auf diesem Anschluss trafen %n Sekunden lang Daten ein, bevor die Ergebnisse angefordert werden konnten, daher wurden sie nicht angefordert. Das Prüfgerät sendet vielleicht noch eine frühere Übertragung: Beenden Sie sie am Prüfgerät oder schalten Sie das Prüfgerät aus und wieder ein. Oder dies ist der Anschluss eines anderen Geräts: Prüfen Sie, ob der Anschluss des Prüfgeräts gewählt ist. Laden Sie dann erneut herunter.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>Kein Programm zum Öffnen von „%1“ gefunden.</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Installieren Sie ein Programm für Dateien dieser Art (einen Webbrowser für die Hilfe, eine Tabellenkalkulation oder einen Texteditor für Ergebnisse) oder öffnen Sie die Datei selbst:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>sie gehört einem anderen Benutzer, in einem gemeinsamen Ordner, in dem nur ihr Eigentümer sie ersetzen darf</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (die frühere Datei ist unverändert)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (die frühere Datei ist möglicherweise beschädigt)</translation>
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
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Beendet die Anwendung</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Anschlüsse aktualisieren</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Aktualisiert die Liste der COM-Anschlüsse</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Zeigt Versionsinformationen zu Pelmar DataLogger an</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Sprache ändern...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Ändert die Sprache dieser Anwendung</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Zeigt die Dokumentation an</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>CSV-Daten konvertieren</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Geräteverbindung</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Heruntergeladene Daten</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Ländereinstellungen</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Starten Sie jetzt die Übertragung am Prüfgerät</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>Verbindung fehlgeschlagen. Bitte prüfen Sie, ob das Gerät angeschlossen und eingeschaltet ist</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Wird heruntergeladen...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Bitte wählen Sie einen Anschluss und schließen Sie Ihr Gerät an</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>Datei erfolgreich gespeichert</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>Dateien mit kommagetrennten Werten (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Heruntergeladene Daten in Datei speichern</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>Möchten Sie die Daten in das deutsche Format konvertieren?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Dezimalpunkte werden durch Kommas ersetzt und die Kommas zwischen den Feldern durch Semikolons.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Fehler beim Öffnen von „%1“ zum Schreiben. Ist die Datei bereits geöffnet oder schreibgeschützt?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>Über Korvane DataLogger</translation>
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
        <translation>Die Sprache wird beim nächsten Start von Korvane DataLogger geändert.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>Möchten Sie jetzt neu starten?</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</source>
        <translation>Es wurde keine serielle Schnittstelle gefunden. Schließen Sie das Kabel oder den USB-Adapter des Prüfgeräts an, prüfen Sie, ob der Treiber des Adapters installiert ist, und aktualisieren Sie dann die Liste der Anschlüsse.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Nur Mitglieder der Gruppe %2 dürfen %1 öffnen, und Ihr Konto %3 gehört nicht dazu. Fügen Sie es hinzu mit
%4
und melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Nur Mitglieder der Gruppe %2 dürfen %1 öffnen. Ihr Konto %3 gehört dazu, aber diese Sitzung begann, bevor es aufgenommen wurde: Melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>Ihr Konto darf %1 nicht öffnen (Eigentümer %2, Gruppe %3, Rechte %4), und eine Mitgliedschaft in seiner Gruppe würde daran nichts ändern. Prüfen Sie Eigentümer und Rechte des Geräts, oder legen Sie eine udev-Regel an, etwa
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 wird von ModemManager (Prozess %2) belegt, der neue serielle Geräte nach Modems absucht. Halten Sie ihn mit einer udev-Regel vom Adapter fern, etwa
%3
oder beenden Sie ihn mit
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 wird von brltty (Prozess %2) belegt, einem Treiber für Braillezeilen, der USB-Seriell-Adapter für sich beansprucht. Wenn hier keine Braillezeile benutzt wird, entfernen Sie ihn mit
%3
oder sperren Sie ihn mit
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 wird von %2 (Prozess %3) belegt. Schließen Sie dieses Programm und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 wird von Prozess %2 belegt. Schließen Sie das Programm, das ihn belegt, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 wird von einem anderen Programm belegt. Schließen Sie es und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 ist nicht mehr vorhanden: Ist der Adapter eingesteckt? Stecken Sie ihn ein und aktualisieren Sie dann die Liste der Anschlüsse.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>%1 konnte nicht geöffnet werden: %2 (Fehler %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 existiert nicht: Prüfen Sie den Namen, oder stecken Sie den Adapter ein und aktualisieren Sie die Liste der Anschlüsse.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 ist keine serielle Schnittstelle.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 ist verschwunden, während auf das Prüfgerät gewartet wurde: Ist der Adapter eingesteckt? Stecken Sie ihn ein, aktualisieren Sie dann die Liste der Anschlüsse und laden Sie erneut herunter.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 ist durch die Sperrdatei %2 gesperrt, die kein laufendes Programm nennt: Wenn kein Programm den Anschluss benutzt, löschen Sie diese Datei.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Hersteller: %1</translation>
    </message>
    <message>
        <source>Product: %1</source>
        <comment>The %1 is the product name of a USB serial adapter</comment>
        <translation>Produkt: %1</translation>
    </message>
    <message>
        <source>VID:PID: %1</source>
        <comment>The %1 is a USB vendor and product id such as 0403:6001</comment>
        <translation>VID:PID: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <comment>The %1 is the serial number of a USB serial adapter</comment>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Gerätedatei: %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Fester Name: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Die am %1 übertragenen Ergebnisse (%2) wurden nicht gespeichert. Jetzt speichern?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>Danach folgt noch %n weitere nicht gespeicherte Übertragung.</numerusform>
            <numerusform>Danach folgen noch %n weitere nicht gespeicherte Übertragungen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Die aufbewahrten Ergebnisse in %1 konnten nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>Sie wurden in %1 aufbewahrt, da in den Datenordner des Programms nicht geschrieben werden konnte.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Die Übertragung vom %1 wurde nach %2 unterbrochen. Das Angekommene speichern?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>es ist weder eine Datei noch eine Pipe noch ein zeichenorientiertes Gerät</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>Deskriptor %1 ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>Deskriptor %1 ist nicht zum Schreiben geöffnet.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>das Programm sollte sich beenden, während es auf einen Leser wartete</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Ihre Einstellungen können nicht in „%1“ gespeichert werden. Die Sprache, der Anschluss und Ihre übrigen Angaben sind beim nächsten Start nicht mehr bekannt.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>es ist eine Verknüpfung, die ein anderer Benutzer in einem gemeinsamen Ordner angelegt hat; ihr wird nicht gefolgt</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>sie wurde von einem anderen Benutzer in einem gemeinsamen Ordner angelegt; wählen Sie einen anderen Namen</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>Die heruntergeladenen Ergebnisse wurden nicht gespeichert.</translation>
    </message>
</context>
</TS>
