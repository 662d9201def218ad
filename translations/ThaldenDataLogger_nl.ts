<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Kies een taal</translation>
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
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Sluit de toepassing af</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Poorten vernieuwen</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Vernieuwt de lijst met COM-poorten</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Toont versie-informatie over Pelmar DataLogger</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Taal wijzigen...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Wijzigt de taal van deze toepassing</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Toont de documentatie</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>CSV-gegevens converteren</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Apparaatverbinding</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Downloaden</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Gedownloade gegevens</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Openen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extra</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Landinstellingen</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Start nu de overdracht op de tester</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>Verbinding mislukt. Controleer of het apparaat is aangesloten en ingeschakeld</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Bezig met downloaden...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Selecteer een poort en sluit uw apparaat aan</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>Bestand succesvol opgeslagen</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>Bestanden met door komma&apos;s gescheiden waarden (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Tekstbestanden (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle bestanden (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Gedownloade gegevens opslaan in een bestand</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>Wilt u de gegevens naar de Duitse notatie converteren?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Decimale punten worden vervangen door komma&apos;s en de komma&apos;s tussen de velden door puntkomma&apos;s.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Fout bij het openen van &quot;%1&quot; om te schrijven. Is het bestand al geopend of alleen-lezen?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>Over Korvane DataLogger</translation>
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
        <translation>De taal wordt gewijzigd wanneer Korvane DataLogger de volgende keer wordt gestart.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>Wilt u nu opnieuw starten?</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>De verbinding met de tester is na %1 verbroken. De resultaten zijn mogelijk onvolledig.</translation>
    </message>
</context>
</TS>
