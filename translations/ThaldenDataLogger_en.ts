<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Capture not written</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>it is not a capture</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>the format&apos;s number is missing</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>it was made by a newer version of the program (capture format %1; this one reads %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>the header does not end</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>a header line is &quot;key: value&quot;</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>expected a chunk or the end</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>a chunk&apos;s time or length is not a number</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>a chunk&apos;s bytes do not end with a line end</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>its end names no known reason</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>line %1 is damaged: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>line %1 is longer than 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>its time is before the time of the line before it</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>its time is more than ten years</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>the header is longer than 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>its bytes do not match the count and SHA-256 of its end on line %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>The capture %1 could not be written: %2. The download goes on without it.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Try &quot;thalden-datalogger-cli --help&quot;.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Displays this help.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Displays the version.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Lists the serial ports as the window does, tab-separated.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Writes the results to FILE, or to standard output for -.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Converts the results to the German number format.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Try &quot;thalden-datalogger --help&quot;.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Nothing to do: give --download PORT --output FILE, or --list-ports.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download needs --output FILE.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait needs a positive number of seconds.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>The folder of %1 does not exist.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>The port could not be opened.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>Waiting for the tester: start the transfer on the tester.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 received in %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Receiving...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>Saved %1 to %2.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>Standard output could not be written: %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 may be given only once.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay cannot be combined with --%1.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay needs --output FILE.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>Replaying the download of %1 from %2.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>it holds only the first %1 of the %2 bytes received: it reached its size limit</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>The capture %1 cannot be replayed: %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>Standard output is closed.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>Standard error is closed.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json cannot be combined with --output %1: both would go to standard output.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Interrupted: %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>The language stored by the window could not be loaded from %1; English is used.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>The replay ends as %1 where the capture records %2.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Please choose a language</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Nothing arrived within %n second.</numerusform>
            <numerusform>Nothing arrived within %n seconds.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>The port was lost before any results arrived.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>The download was interrupted.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>The transfer ended in the middle of a line after %1. The results may be incomplete.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>The connection to the tester was lost after %1. The results may be incomplete.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Data kept arriving on this port for %n second before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</numerusform>
            <numerusform>Data kept arriving on this port for %n seconds before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>No program was found to open &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>it belongs to another user, in a shared folder where only its owner may replace it</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (the earlier file is as it was)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (the earlier file may be damaged)</translation>
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
        <translation>Exit</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Quits the application</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Refresh Ports</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Refreshes the list of COM ports</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Shows version information about Pelmar DataLogger</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Change Language...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Change the language used in this application</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Shows documentation</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>Convert CSV Data</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Device Connection</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Downloaded Output</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Country Settings</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Now initiate the download on the tester</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>Failed to connect. Please check the device is connected and switched on</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Please select a port and connect your device</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>File successfully saved</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>Comma Separated Value files (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Save downloaded data to file</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>Would you like to convert the data to German format?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Error opening &quot;%1&quot; for writing. Is it open already or read only?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>About Korvane DataLogger</translation>
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
        <translation>The language will be changed next time Korvane DataLogger is started.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>Would you like to restart now?</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</source>
        <translation>No serial port was found. Connect the tester&apos;s cable or USB adapter, check that the adapter&apos;s driver is installed, then refresh the port list.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 is in use by %2 (process %3). Close that program, then try again.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 is in use by process %2. Close the program that holds it, then try again.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 is in use by another program. Close it, then try again.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>%1 could not be opened: %2 (error %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 is not a serial port.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Maker: %1</translation>
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
        <translation>Serial number: %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Device: %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Stable name: %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>The results downloaded on %1 (%2) were not saved. Save them now?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>%n more unsaved download will follow.</numerusform>
            <numerusform>%n more unsaved downloads will follow.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>The kept results in %1 could not be read: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>They were kept in %1, as the program&apos;s data folder could not be written.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>The download of %1 was interrupted after %2. Save what arrived?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>it is neither a file nor a pipe nor a character device</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>Descriptor %1 is not open.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>Descriptor %1 is not open for writing.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>the program was told to end while waiting for a reader</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>it is a link that another user made in a shared folder, which is not followed</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>it was made by another user in a shared folder; choose another name</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>The downloaded results have not been saved.</translation>
    </message>
</context>
</TS>
