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
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Ihre Einstellungen können nicht in „%1“ gespeichert werden. Die Sprache, der Anschluss und Ihre übrigen Angaben sind beim nächsten Start nicht mehr bekannt.</translation>
    </message>
</context>
</TS>
