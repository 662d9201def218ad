<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>Dit programma heeft geen eigen opdrachtregel. Downloads vanaf de opdrachtprompt, PowerShell of een script gaan met thalden-datalogger-cli.exe in dezelfde map, bijvoorbeeld:
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Opname niet geschreven</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>het is geen opname</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>het nummer van het formaat ontbreekt</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>ze is gemaakt door een nieuwere versie van het programma (opnameformaat %1; deze leest %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>de kop eindigt niet</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>een kopregel is „sleutel: waarde”</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>verwacht werd een blok of het einde</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>de tijd of lengte van een blok is geen getal</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>de bytes van een blok eindigen niet met een regeleinde</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>het einde noemt geen bekende reden</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>regel %1 is beschadigd: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>regel %1 is langer dan 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>de tijd ervan ligt vóór die van de regel ervoor</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>de tijd ervan is meer dan tien jaar</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>de kop is langer dan 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>de bytes passen niet bij het aantal en de SHA-256 van het einde op regel %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>De opname %1 kon niet worden geschreven: %2. De download gaat zonder verder.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Downloadt de resultaten van PORT: de naam van een COM-poort (COM5) of het apparaatpad ervan (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Probeer &quot;thalden-datalogger-cli --help&quot;.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Toont deze hulp.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Toont de versie.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Somt de seriële poorten op zoals het venster, gescheiden door tabs.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Downloadt de resultaten van PORT: een pad als het met / of . begint, anders een naam onder /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Schrijft de resultaten naar FILE, of naar standaarduitvoer bij -.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Zet de resultaten om naar de Duitse getalnotatie.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Geeft op als SECONDS seconden na het verzoek nog geen byte is aangekomen (standaard: wacht tot onderbreking).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Probeer &quot;thalden-datalogger --help&quot;.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Onverwacht argument: %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Niets te doen: geef --download PORT --output FILE, of --list-ports.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download heeft --output FILE nodig.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait heeft een positief aantal seconden nodig.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>De map van %1 bestaat niet.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>De poort kon niet worden geopend.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>Wachten op de tester: start de overdracht op de tester.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 ontvangen in %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Bezig met ontvangen...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>%1 kon niet worden geschreven: %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>%1 opgeslagen in %2.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>De standaarduitvoer kon niet worden geschreven: %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>Het venster heeft een beeldscherm nodig en er is er geen gevonden (DISPLAY noch WAYLAND_DISPLAY is ingesteld). Download zonder beeldscherm via de opdrachtregel: thalden-datalogger --help legt uit hoe.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 mag maar één keer worden opgegeven.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Bewaart ook een opname van de download in FILE: wat er is verzonden, wat er wanneer terugkwam, hoe hij eindigde.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>In plaats van --download: speelt de opname FILE opnieuw af door de download en schrijft wat die download schreef, met zijn afsluitcode.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay kan niet worden gecombineerd met --%1.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay heeft --output FILE nodig.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>De download van %1 van %2 wordt opnieuw afgespeeld.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>ze bevat alleen de eerste %1 van de %2 ontvangen bytes: ze heeft haar groottegrens bereikt</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>De opname %1 kan niet worden afgespeeld: %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>De standaarduitvoer is gesloten.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>De standaardfoutuitvoer is gesloten.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>Schrijft aan het einde, hoe het ook afloopt, één JSON-object naar de standaarduitvoer: de afsluitcode, of de resultaten zijn opgeslagen, de reden van een fout en de samenvatting van de download (bytes, regels, seconden, einde, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json kan niet worden gecombineerd met --output %1: beide zouden naar de standaarduitvoer gaan.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>De naam bij %1 (%2) is geen geldige UTF-8 en zou een ander bestand aanduiden. Geef de naam in UTF-8.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Onderbroken: %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>De door het venster opgeslagen taal kon niet uit %1 worden geladen; Engels wordt gebruikt.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>De herhaling eindigt als %1 waar de opname %2 vastlegt.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Kopieert de opgeslagen resultaten van een PV-tester naar een bestand, zonder venster.

Afsluitcodes: 0 opgeslagen; 1 gebruiksfout; 2 de poort kon niet worden geopend; 3 er kwam niets binnen --wait; 4 het bestand kon niet worden geschreven; 5 de verbinding viel weg tijdens de overdracht, of de opname die aan --replay is gegeven is afgebroken of beschadigd (wat aankwam, of wat aan de beschadiging voorafgaat, wordt geschreven); 130 onderbroken (wat aankwam wordt geschreven).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Kies een taal</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Binnen %n seconde kwam er niets aan.</numerusform>
            <numerusform>Binnen %n seconden kwam er niets aan.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>De poort ging verloren voordat er resultaten binnenkwamen.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>De download is onderbroken.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>De opname stopt na %1, vóór haar uitkomst: ze is afgebroken. De resultaten zijn mogelijk onvolledig.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>De overdracht eindigde na %1 midden in een regel. De resultaten zijn mogelijk onvolledig.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>De verbinding met de tester is na %1 verbroken. De resultaten zijn mogelijk onvolledig.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>De herhaling stopt bij een beschadiging in de opname na %1: %2. De resultaten zijn mogelijk onvolledig.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Er blijven gegevens binnenkomen op deze poort voordat de resultaten zijn opgevraagd: de tester verzendt misschien nog een eerdere overdracht, of dit is de poort van een ander apparaat. Wachten tot de lijn stil is...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Er kwamen %n seconde lang gegevens binnen op deze poort voordat de resultaten konden worden opgevraagd, dus zijn ze niet opgevraagd. De tester verzendt misschien nog een eerdere overdracht: beëindig die op de tester, of zet de tester uit en weer aan. Of dit is de poort van een ander apparaat: controleer of de poort van de tester is gekozen. Download daarna opnieuw.</numerusform>
            <numerusform>Er kwamen %n seconden lang gegevens binnen op deze poort voordat de resultaten konden worden opgevraagd, dus zijn ze niet opgevraagd. De tester verzendt misschien nog een eerdere overdracht: beëindig die op de tester, of zet de tester uit en weer aan. Of dit is de poort van een ander apparaat: controleer of de poort van de tester is gekozen. Download daarna opnieuw.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>Er is geen programma gevonden om &quot;%1&quot; te openen.</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Installeer een programma voor dit soort bestanden (een webbrowser voor de help, een spreadsheet of teksteditor voor resultaten), of open het bestand zelf:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>het is van een andere gebruiker, in een gedeelde map waarin alleen de eigenaar het mag vervangen</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (het eerdere bestand is ongewijzigd)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (het eerdere bestand is mogelijk beschadigd)</translation>
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
        <source>Port</source>
        <translation>Poort</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</source>
        <translation>Er is geen seriële poort gevonden. Sluit de kabel of USB-adapter van de tester aan, controleer of het stuurprogramma van de adapter is geïnstalleerd en vernieuw daarna de lijst met poorten.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Alleen leden van de groep %2 mogen %1 openen, en uw account %3 is geen lid. Voeg het toe met
%4
en meld u daarna af en opnieuw aan.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Alleen leden van de groep %2 mogen %1 openen. Uw account %3 is lid, maar deze sessie begon voordat het lid werd: meld u af en opnieuw aan.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>Uw account mag %1 niet openen (eigenaar %2, groep %3, rechten %4), en lidmaatschap van de groep zou daar niets aan veranderen. Controleer de eigenaar en de rechten van het apparaat, of voeg een udev-regel toe zoals
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 is in gebruik door ModemManager (proces %2), dat nieuwe seriële apparaten op modems onderzoekt. Houd het weg van de adapter met een udev-regel zoals
%3
of stop het met
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 is in gebruik door brltty (proces %2), een stuurprogramma voor brailleleesregels dat USB-seriële adapters opeist. Als hier geen brailleleesregel wordt gebruikt, verwijder het met
%3
of maskeer het met
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 is in gebruik door %2 (proces %3). Sluit dat programma en probeer het daarna opnieuw.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 is in gebruik door proces %2. Sluit het programma dat de poort bezet en probeer het daarna opnieuw.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 is in gebruik door een ander programma. Sluit het en probeer het daarna opnieuw.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 is er niet meer: is de adapter aangesloten? Sluit hem aan en vernieuw daarna de lijst met poorten.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>%1 kon niet worden geopend: %2 (fout %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 bestaat niet: controleer de naam, of sluit de adapter aan en vernieuw de lijst met poorten.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 is geen seriële poort.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 verdween tijdens het wachten op de tester: is de adapter aangesloten? Sluit hem aan, vernieuw daarna de lijst met poorten en download opnieuw.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 is vergrendeld door het vergrendelingsbestand %2, dat geen actief programma noemt: als geen programma de poort gebruikt, verwijder dat bestand dan.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Fabrikant: %1</translation>
    </message>
    <message>
        <source>Product: %1</source>
        <comment>The %1 is the product name of a USB serial adapter</comment>
        <translation>Product: %1</translation>
    </message>
    <message>
        <source>VID:PID: %1</source>
        <comment>The %1 is a USB vendor and product id such as 0403:6001</comment>
        <translation>VID:PID: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <comment>The %1 is the serial number of a USB serial adapter</comment>
        <translation>Serienummer: %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Apparaat: %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Vaste naam: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>De op %1 gedownloade resultaten (%2) zijn niet opgeslagen. Nu opslaan?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>Daarna volgt nog %n niet-opgeslagen download.</numerusform>
            <numerusform>Daarna volgen nog %n niet-opgeslagen downloads.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>De bewaarde resultaten in %1 konden niet worden gelezen: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>Ze zijn bewaard in %1, omdat er niet in de gegevensmap van het programma kon worden geschreven.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>De download van %1 is na %2 onderbroken. Opslaan wat er is aangekomen?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>het is geen bestand, geen pipe en geen tekenapparaat</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>Descriptor %1 is niet geopend.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>Descriptor %1 is niet geopend om te schrijven.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>het programma moest stoppen terwijl het op een lezer wachtte</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Uw instellingen kunnen niet worden opgeslagen in &quot;%1&quot;. De taal, de poort en uw andere keuzes worden de volgende keer niet onthouden.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>het is een koppeling die een andere gebruiker in een gedeelde map heeft gemaakt; die wordt niet gevolgd</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>het is door een andere gebruiker in een gedeelde map gemaakt; kies een andere naam</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>De gedownloade resultaten zijn niet opgeslagen.</translation>
    </message>
</context>
</TS>
