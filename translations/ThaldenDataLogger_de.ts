<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Bitte wählen Sie eine Sprache</translation>
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
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Die Verbindung zum Prüfgerät wurde nach %1 unterbrochen. Die Ergebnisse sind möglicherweise unvollständig.</translation>
    </message>
</context>
</TS>
