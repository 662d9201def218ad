<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>Application</name>
    <message>
        <source>This program has no command line of its own. Downloads from a command prompt, PowerShell or a script are made with thalden-datalogger-cli.exe in the same folder, for example:
thalden-datalogger-cli.exe --help</source>
        <translation>Ce programme n&apos;a pas de ligne de commande propre. Les téléchargements depuis l&apos;invite de commandes, PowerShell ou un script se font avec thalden-datalogger-cli.exe, dans le même dossier, par exemple :
thalden-datalogger-cli.exe --help</translation>
    </message>
</context>
<context>
    <name>CaptureFailureLabel</name>
    <message>
        <source>Capture not written</source>
        <translation>Capture non écrite</translation>
    </message>
</context>
<context>
    <name>CaptureReader</name>
    <message>
        <source>it is not a capture</source>
        <translation>ce n’est pas une capture</translation>
    </message>
    <message>
        <source>the format&apos;s number is missing</source>
        <translation>le numéro du format manque</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (capture format %1; this one reads %2)</source>
        <translation>elle a été faite par une version plus récente du programme (format de capture %1 ; celle-ci lit %2)</translation>
    </message>
    <message>
        <source>the header does not end</source>
        <translation>l’en-tête ne se termine pas</translation>
    </message>
    <message>
        <source>a header line is &quot;key: value&quot;</source>
        <translation>une ligne d’en-tête s’écrit « clé: valeur »</translation>
    </message>
    <message>
        <source>expected a chunk or the end</source>
        <translation>un bloc ou la fin était attendu</translation>
    </message>
    <message>
        <source>a chunk&apos;s time or length is not a number</source>
        <translation>le temps ou la longueur d’un bloc n’est pas un nombre</translation>
    </message>
    <message>
        <source>a chunk&apos;s bytes do not end with a line end</source>
        <translation>les octets d’un bloc ne se terminent pas par une fin de ligne</translation>
    </message>
    <message>
        <source>its end names no known reason</source>
        <translation>sa fin ne nomme aucune raison connue</translation>
    </message>
    <message>
        <source>line %1 is damaged: %2</source>
        <comment>%2 says what is wrong</comment>
        <translation>la ligne %1 est endommagée : %2</translation>
    </message>
    <message>
        <source>line %1 is longer than 64 KiB</source>
        <translation>la ligne %1 dépasse 64 KiB</translation>
    </message>
    <message>
        <source>its time is before the time of the line before it</source>
        <translation>son temps est antérieur à celui de la ligne précédente</translation>
    </message>
    <message>
        <source>its time is more than ten years</source>
        <translation>son temps dépasse dix ans</translation>
    </message>
    <message>
        <source>the header is longer than 64 KiB</source>
        <translation>l’en-tête dépasse 64 KiB</translation>
    </message>
    <message>
        <source>its bytes do not match the count and SHA-256 of its end on line %1</source>
        <translation>ses octets ne correspondent pas au nombre et au SHA-256 de sa fin à la ligne %1</translation>
    </message>
</context>
<context>
    <name>CaptureWriter</name>
    <message>
        <source>The capture %1 could not be written: %2. The download goes on without it.</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>La capture %1 n’a pas pu être écrite : %2. Le téléchargement continue sans elle.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Downloads the results from PORT: a COM port&apos;s name (COM5) or its device path (\\.\COM12).</source>
        <translation>Télécharge les résultats depuis PORT : le nom d&apos;un port COM (COM5) ou son chemin de périphérique (\\.\COM12).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger-cli --help&quot;.</source>
        <translation>Essayez « thalden-datalogger-cli --help ».</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>Lists the serial ports as the window does, tab-separated.</source>
        <translation>Liste les ports série comme la fenêtre, séparés par des tabulations.</translation>
    </message>
    <message>
        <source>Downloads the results from PORT: a path when it begins with / or ., otherwise a name below /dev (ttyUSB0, pts/3).</source>
        <translation>Télécharge les résultats depuis PORT : un chemin s’il commence par / ou ., sinon un nom sous /dev (ttyUSB0, pts/3).</translation>
    </message>
    <message>
        <source>Writes the results to FILE, or to standard output for -.</source>
        <translation>Écrit les résultats dans FILE, ou sur la sortie standard pour -.</translation>
    </message>
    <message>
        <source>Converts the results to the German number format.</source>
        <translation>Convertit les résultats au format numérique allemand.</translation>
    </message>
    <message>
        <source>Gives up when no byte has arrived SECONDS after the request (default: waits until interrupted).</source>
        <translation>Abandonne si aucun octet n’est arrivé SECONDS secondes après la demande (par défaut : attend jusqu’à l’interruption).</translation>
    </message>
    <message>
        <source>Try &quot;thalden-datalogger --help&quot;.</source>
        <translation>Essayez « thalden-datalogger --help ».</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <comment>%1 is the argument given</comment>
        <translation>Argument inattendu : %1</translation>
    </message>
    <message>
        <source>Nothing to do: give --download PORT --output FILE, or --list-ports.</source>
        <translation>Rien à faire : indiquez --download PORT --output FILE, ou --list-ports.</translation>
    </message>
    <message>
        <source>--download needs --output FILE.</source>
        <translation>--download exige --output FILE.</translation>
    </message>
    <message>
        <source>--wait needs a positive number of seconds.</source>
        <translation>--wait exige un nombre de secondes positif.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <comment>%1 is a file path</comment>
        <translation>Le dossier de %1 n’existe pas.</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>Le port n’a pas pu être ouvert.</translation>
    </message>
    <message>
        <source>Waiting for the tester: start the transfer on the tester.</source>
        <translation>En attente du testeur : lancez le transfert sur le testeur.</translation>
    </message>
    <message>
        <source>%1 received in %2 s</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a number of seconds</comment>
        <translation>%1 reçus en %2 s</translation>
    </message>
    <message>
        <source>Receiving...</source>
        <translation>Réception...</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>%1 n’a pas pu être écrit : %2</translation>
    </message>
    <message>
        <source>Saved %1 to %2.</source>
        <comment>%1 is an amount such as 12.3 KiB, %2 a file path</comment>
        <translation>%1 enregistrés dans %2.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>Impossible d’écrire sur la sortie standard : %1</translation>
    </message>
    <message>
        <source>The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set). Without a display, download with the command line: thalden-datalogger --help tells how.</source>
        <translation>La fenêtre a besoin d’un affichage, et aucun n’a été trouvé (ni DISPLAY ni WAYLAND_DISPLAY ne sont définis). Sans affichage, téléchargez en ligne de commande : thalden-datalogger --help explique comment.</translation>
    </message>
    <message>
        <source>--%1 may be given only once.</source>
        <comment>%1 is an option&apos;s name, such as output</comment>
        <translation>--%1 ne peut être indiqué qu’une fois.</translation>
    </message>
    <message>
        <source>Also keeps a capture of the download in FILE: what was sent, what came back and when, how it ended.</source>
        <translation>Garde aussi une capture du téléchargement dans FILE : ce qui a été envoyé, ce qui est revenu et quand, comment il s’est terminé.</translation>
    </message>
    <message>
        <source>Instead of --download: runs the capture FILE through the download again and writes what that download wrote, with its exit code.</source>
        <translation>Au lieu de --download : rejoue la capture FILE dans le téléchargement et écrit ce que ce téléchargement a écrit, avec son code de sortie.</translation>
    </message>
    <message>
        <source>--replay cannot be combined with --%1.</source>
        <comment>%1 is an option&apos;s name, such as wait</comment>
        <translation>--replay ne peut pas être combiné avec --%1.</translation>
    </message>
    <message>
        <source>--replay needs --output FILE.</source>
        <translation>--replay nécessite --output FILE.</translation>
    </message>
    <message>
        <source>Replaying the download of %1 from %2.</source>
        <comment>%1 is a date and time, %2 a port</comment>
        <translation>Rejeu du téléchargement du %1 depuis %2.</translation>
    </message>
    <message>
        <source>it holds only the first %1 of the %2 bytes received: it reached its size limit</source>
        <translation>elle ne contient que les %1 premiers des %2 octets reçus : elle a atteint sa taille limite</translation>
    </message>
    <message>
        <source>The capture %1 cannot be replayed: %2</source>
        <comment>%1 is a file path, %2 the reason</comment>
        <translation>La capture %1 ne peut pas être rejouée : %2</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>La sortie standard est fermée.</translation>
    </message>
    <message>
        <source>Standard error is closed.</source>
        <translation>La sortie d’erreur standard est fermée.</translation>
    </message>
    <message>
        <source>At the end, however it ends, writes one JSON object to standard output: the exit code, whether the results were saved, the reason for a failure, and the download&apos;s summary (bytes, lines, seconds, end, SHA-256).</source>
        <translation>À la fin, quelle qu’elle soit, écrit un objet JSON sur la sortie standard : le code de sortie, si les résultats ont été enregistrés, la raison d’un échec et le résumé du téléchargement (octets, lignes, secondes, fin, SHA-256).</translation>
    </message>
    <message>
        <source>--json cannot be combined with --output %1: both would go to standard output.</source>
        <comment>%1 is -, /dev/stdout or the like</comment>
        <translation>--json ne peut pas être combiné avec --output %1 : les deux iraient sur la sortie standard.</translation>
    </message>
    <message>
        <source>The name given to %1 (%2) is not valid UTF-8, and would name another file. Give the name in UTF-8.</source>
        <comment>%1 is an option&apos;s name, such as --output, %2 the name as it can be shown</comment>
        <translation>Le nom donné à %1 (%2) n’est pas de l’UTF-8 valide et désignerait un autre fichier. Indiquez le nom en UTF-8.</translation>
    </message>
    <message>
        <source>Interrupted: %1</source>
        <comment>%1 is the reason</comment>
        <translation>Interrompu : %1</translation>
    </message>
    <message>
        <source>The language stored by the window could not be loaded from %1; English is used.</source>
        <comment>%1 is a file path</comment>
        <translation>La langue enregistrée par la fenêtre n’a pas pu être chargée depuis %1&#xa0;; l’anglais est utilisé.</translation>
    </message>
    <message>
        <source>The replay ends as %1 where the capture records %2.</source>
        <comment>%1 and %2 are words such as complete or line-lost</comment>
        <translation>Le rejeu se termine par %1 là où la capture indique %2.</translation>
    </message>
    <message>
        <source>Copies the stored results of a PV tester to a file, without a window.

Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, or the capture given to --replay was cut short or damaged (what arrived, or what precedes the damage, is written); 130 interrupted (what arrived is written).</source>
        <translation>Copie dans un fichier les résultats enregistrés d’un testeur PV, sans fenêtre.

Codes de sortie&#xa0;: 0 enregistré&#xa0;; 1 erreur d’utilisation&#xa0;; 2 le port n’a pas pu être ouvert&#xa0;; 3 rien n’est arrivé dans le délai de --wait&#xa0;; 4 le fichier n’a pas pu être écrit&#xa0;; 5 la connexion a été perdue pendant le transfert, ou la capture donnée à --replay a été tronquée ou est endommagée (ce qui est arrivé, ou ce qui précède l’endommagement, est écrit)&#xa0;; 130 interrompu (ce qui est arrivé est écrit).</translation>
    </message>
</context>
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Veuillez choisir une langue</translation>
    </message>
</context>
<context>
    <name>DownloadReport</name>
    <message numerus="yes">
        <source>Nothing arrived within %n second(s).</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Rien n’est arrivé en %n seconde.</numerusform>
            <numerusform>Rien n’est arrivé en %n secondes.</numerusform>
        </translation>
    </message>
    <message>
        <source>The port was lost before any results arrived.</source>
        <translation>Le port a été perdu avant l’arrivée des résultats.</translation>
    </message>
    <message>
        <source>The download was interrupted.</source>
        <translation>Le téléchargement a été interrompu.</translation>
    </message>
    <message>
        <source>The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB</comment>
        <translation>La capture s’arrête après %1, avant son résultat&#xa0;: elle a été tronquée. Les résultats sont peut-être incomplets.</translation>
    </message>
    <message>
        <source>The transfer ended in the middle of a line after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>Le transfert s’est terminé au milieu d’une ligne après %1. Les résultats sont peut-être incomplets.</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>La connexion avec le testeur a été perdue après %1. Les résultats sont peut-être incomplets.</translation>
    </message>
    <message>
        <source>The replay stops at damage in the capture after %1: %2. The results may be incomplete.</source>
        <comment>%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...</comment>
        <translation>Le rejeu s’arrête à un endroit endommagé de la capture après %1&#xa0;: %2. Les résultats sont peut-être incomplets.</translation>
    </message>
    <message>
        <source>Data keeps arriving on this port before the results have been asked for: the tester may still be sending an earlier transfer, or this may be another device&apos;s port. Waiting until the line falls quiet...</source>
        <translation>Des données arrivent sur ce port avant que les résultats aient été demandés&#xa0;: le testeur envoie peut-être encore un transfert antérieur, ou ce port est celui d’un autre appareil. Attente du silence sur la ligne...</translation>
    </message>
    <message numerus="yes">
        <source>Data kept arriving on this port for %n second(s) before the results could be asked for, so they were not requested. The tester may still be sending an earlier transfer: end it on the tester, or switch the tester off and on. Or this may be another device&apos;s port: check that the tester&apos;s port is chosen. Then download again.</source>
        <comment>%n is a number of seconds</comment>
        <translation>
            <numerusform>Des données sont arrivées sur ce port pendant %n seconde avant que les résultats puissent être demandés&#xa0;; ils n’ont donc pas été demandés. Le testeur envoie peut-être encore un transfert antérieur&#xa0;: terminez-le sur le testeur, ou éteignez et rallumez le testeur. Ou ce port est celui d’un autre appareil&#xa0;: vérifiez que le port du testeur est choisi. Puis téléchargez à nouveau.</numerusform>
            <numerusform>Des données sont arrivées sur ce port pendant %n secondes avant que les résultats puissent être demandés&#xa0;; ils n’ont donc pas été demandés. Le testeur envoie peut-être encore un transfert antérieur&#xa0;: terminez-le sur le testeur, ou éteignez et rallumez le testeur. Ou ce port est celui d’un autre appareil&#xa0;: vérifiez que le port du testeur est choisi. Puis téléchargez à nouveau.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>No program was found to open &quot;%1&quot;.</source>
        <comment>The %1 is a file name.</comment>
        <translation>Aucun programme n’a été trouvé pour ouvrir «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Install a program for files of this kind (a web browser for the help, a spreadsheet or text editor for results), or open the file yourself:
%1</source>
        <comment>The %1 is the file&apos;s full path.</comment>
        <translation>Installez un programme pour ce type de fichier (un navigateur web pour l’aide, un tableur ou un éditeur de texte pour les résultats), ou ouvrez le fichier vous-même&#xa0;:
%1</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>it belongs to another user, in a shared folder where only its owner may replace it</source>
        <translation>il appartient à un autre utilisateur, dans un dossier partagé où seul son propriétaire peut le remplacer</translation>
    </message>
    <message>
        <source>%1 (the earlier file is as it was)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (le fichier précédent est resté tel quel)</translation>
    </message>
    <message>
        <source>%1 (the earlier file may be damaged)</source>
        <comment>%1 is the system&apos;s reason</comment>
        <translation>%1 (le fichier précédent est peut-être endommagé)</translation>
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
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quits the application</source>
        <translation>Quitte l’application</translation>
    </message>
    <message>
        <source>Refresh Ports</source>
        <translation>Actualiser les ports</translation>
    </message>
    <message>
        <source>Refreshes the list of COM ports</source>
        <translation>Actualise la liste des ports COM</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Shows version information about Pelmar DataLogger</source>
        <translation>Affiche les informations de version de Pelmar DataLogger</translation>
    </message>
    <message>
        <source>Change Language...</source>
        <translation>Changer de langue...</translation>
    </message>
    <message>
        <source>Change the language used in this application</source>
        <translation>Change la langue utilisée dans cette application</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Shows documentation</source>
        <translation>Affiche la documentation</translation>
    </message>
    <message>
        <source>Convert CSV Data</source>
        <translation>Convertir les données CSV</translation>
    </message>
    <message>
        <source>Device Connection</source>
        <translation>Connexion de l’appareil</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Downloaded Output</source>
        <translation>Données téléchargées</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Country Settings</source>
        <translation>Paramètres régionaux</translation>
    </message>
    <message>
        <source>Now initiate the download on the tester</source>
        <translation>Lancez maintenant le transfert sur le testeur</translation>
    </message>
    <message>
        <source>Failed to connect. Please check the device is connected and switched on</source>
        <translation>Échec de la connexion. Vérifiez que l’appareil est branché et allumé</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Téléchargement en cours...</translation>
    </message>
    <message>
        <source>Please select a port and connect your device</source>
        <translation>Veuillez sélectionner un port et brancher votre appareil</translation>
    </message>
    <message>
        <source>File successfully saved</source>
        <translation>Fichier enregistré avec succès</translation>
    </message>
    <message>
        <source>Comma Separated Value files (*.csv)</source>
        <translation>Fichiers de valeurs séparées par des virgules (*.csv)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>Save downloaded data to file</source>
        <translation>Enregistrer les données téléchargées dans un fichier</translation>
    </message>
    <message>
        <source>Would you like to convert the data to German format?</source>
        <translation>Voulez-vous convertir les données au format allemand&#xa0;?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Les points décimaux seront remplacés par des virgules et les virgules séparant les champs par des points-virgules.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Erreur lors de l’ouverture de «&#xa0;%1&#xa0;» en écriture. Le fichier est-il déjà ouvert ou en lecture seule&#xa0;?</translation>
    </message>
    <message>
        <source>About Korvane DataLogger</source>
        <comment>Title of the About box</comment>
        <translation>À propos de Korvane DataLogger</translation>
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
        <translation>La langue sera modifiée au prochain démarrage de Korvane DataLogger.</translation>
    </message>
    <message>
        <source>Would you like to restart now?</source>
        <translation>Voulez-vous redémarrer maintenant&#xa0;?</translation>
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
        <translation>Aucun port série n’a été trouvé. Branchez le câble ou l’adaptateur USB du testeur, vérifiez que le pilote de l’adaptateur est installé, puis actualisez la liste des ports.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1, and your account %3 is not one. Add it with
%4
then log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command</comment>
        <translation>Seuls les membres du groupe %2 peuvent ouvrir %1, et votre compte %3 n’en fait pas partie. Ajoutez-le avec
%4
puis fermez la session et rouvrez-la.</translation>
    </message>
    <message>
        <source>Only members of the group %2 may open %1. Your account %3 is one, but this session began before it joined: log out and in again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name</comment>
        <translation>Seuls les membres du groupe %2 peuvent ouvrir %1. Votre compte %3 en fait partie, mais cette session a commencé avant son ajout&#xa0;: fermez la session et rouvrez-la.</translation>
    </message>
    <message>
        <source>Your account may not open %1 (owner %2, group %3, mode %4), and membership of its group would not change that. Check the device&apos;s owner and mode, or add a udev rule such as
%5</source>
        <comment>%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a udev rule</comment>
        <translation>Votre compte ne peut pas ouvrir %1 (propriétaire %2, groupe %3, droits %4), et l’appartenance à son groupe n’y changerait rien. Vérifiez le propriétaire et les droits du périphérique, ou ajoutez une règle udev telle que
%5</translation>
    </message>
    <message>
        <source>%1 is in use by ModemManager (process %2), which probes new serial devices for modems. Keep it away from the adapter with a udev rule such as
%3
or stop it with
%4</source>
        <comment>%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command</comment>
        <translation>%1 est utilisé par ModemManager (processus %2), qui sonde les nouveaux périphériques série à la recherche de modems. Tenez-le à l’écart de l’adaptateur avec une règle udev telle que
%3
ou arrêtez-le avec
%4</translation>
    </message>
    <message>
        <source>%1 is in use by brltty (process %2), a braille display driver that claims USB serial adapters. Where no braille display is used, remove it with
%3
or mask it with
%4</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands</comment>
        <translation>%1 est utilisé par brltty (processus %2), un pilote d’afficheurs braille qui s’approprie les adaptateurs série USB. Si aucun afficheur braille n’est utilisé ici, supprimez-le avec
%3
ou masquez-le avec
%4</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3). Close that program, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a program name, %3 a process number</comment>
        <translation>%1 est utilisé par %2 (processus %3). Fermez ce programme, puis réessayez.</translation>
    </message>
    <message>
        <source>%1 is in use by process %2. Close the program that holds it, then try again.</source>
        <comment>%1 is a port (ttyUSB0), %2 a process number</comment>
        <translation>%1 est utilisé par le processus %2. Fermez le programme qui l’occupe, puis réessayez.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then try again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 est utilisé par un autre programme. Fermez-le, puis réessayez.</translation>
    </message>
    <message>
        <source>%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 n’est plus là&#xa0;: l’adaptateur est-il branché&#xa0;? Branchez-le, puis actualisez la liste des ports.</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2 (error %3).</source>
        <comment>%1 is a port (ttyUSB0), %2 the system&apos;s error text, %3 its number</comment>
        <translation>Impossible d’ouvrir %1&#xa0;: %2 (erreur %3).</translation>
    </message>
    <message>
        <source>%1 does not exist: check the name, or plug in the adapter and refresh the port list.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 n’existe pas : vérifiez le nom, ou branchez l’adaptateur et actualisez la liste des ports.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <comment>%1 is a port (ttyUSB0) or a path</comment>
        <translation>%1 n’est pas un port série.</translation>
    </message>
    <message>
        <source>%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh the port list and download again.</source>
        <comment>%1 is a port (ttyUSB0)</comment>
        <translation>%1 a disparu pendant l’attente du testeur : l’adaptateur est-il branché ? Branchez-le, puis actualisez la liste des ports et téléchargez à nouveau.</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program: if no program uses the port, remove that file.</source>
        <comment>%1 is a port (ttyUSB0), %2 a lock file&apos;s path</comment>
        <translation>%1 est verrouillé par le fichier de verrou %2, qui ne désigne aucun programme en cours d’exécution&#xa0;: si aucun programme n’utilise le port, supprimez ce fichier.</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Maker: %1</source>
        <comment>The %1 is the maker of a USB serial adapter</comment>
        <translation>Fabricant : %1</translation>
    </message>
    <message>
        <source>Product: %1</source>
        <comment>The %1 is the product name of a USB serial adapter</comment>
        <translation>Produit : %1</translation>
    </message>
    <message>
        <source>VID:PID: %1</source>
        <comment>The %1 is a USB vendor and product id such as 0403:6001</comment>
        <translation>VID:PID : %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <comment>The %1 is the serial number of a USB serial adapter</comment>
        <translation>Numéro de série : %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <comment>The %1 is a device path such as /dev/ttyUSB0</comment>
        <translation>Périphérique : %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <comment>The %1 is a path that names the adapter whatever port it is on</comment>
        <translation>Nom stable : %1</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>The results downloaded on %1 (%2) were not saved. Save them now?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Les résultats téléchargés le %1 (%2) n’ont pas été enregistrés. Les enregistrer maintenant&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>%n more unsaved download(s) will follow.</source>
        <translation>
            <numerusform>%n autre téléchargement non enregistré suivra.</numerusform>
            <numerusform>%n autres téléchargements non enregistrés suivront.</numerusform>
        </translation>
    </message>
    <message>
        <source>The kept results in %1 could not be read: %2</source>
        <comment>%1 is a file path, %2 the system&apos;s reason</comment>
        <translation>Les résultats conservés dans %1 n’ont pas pu être lus&#xa0;: %2</translation>
    </message>
    <message>
        <source>They were kept in %1, as the program&apos;s data folder could not be written.</source>
        <comment>%1 is a folder</comment>
        <translation>Ils ont été conservés dans %1, car le dossier de données du programme n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>The download of %1 was interrupted after %2. Save what arrived?</source>
        <comment>The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.</comment>
        <translation>Le téléchargement du %1 a été interrompu après %2. Enregistrer ce qui est arrivé&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ResultsWriter</name>
    <message>
        <source>it is neither a file nor a pipe nor a character device</source>
        <translation>ce n’est ni un fichier, ni un tube, ni un périphérique caractère</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open.</source>
        <comment>%1 is a number</comment>
        <translation>Le descripteur %1 n’est pas ouvert.</translation>
    </message>
    <message>
        <source>Descriptor %1 is not open for writing.</source>
        <comment>%1 is a number</comment>
        <translation>Le descripteur %1 n’est pas ouvert en écriture.</translation>
    </message>
    <message>
        <source>the program was told to end while waiting for a reader</source>
        <translation>le programme a reçu l’ordre de se terminer pendant qu’il attendait un lecteur</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Your settings cannot be stored in &quot;%1&quot;. The language, the port and your other choices will not be remembered next time.</source>
        <comment>The %1 is replaced with the settings file (or registry key). Please do not remove it.</comment>
        <translation>Vos paramètres ne peuvent pas être enregistrés dans «&#xa0;%1&#xa0;». La langue, le port et vos autres choix ne seront pas conservés pour la prochaine fois.</translation>
    </message>
    <message>
        <source></source>
        <translation>Vos paramètres ne peuvent pas être enregistrés dans «&#xa0;%1&#xa0;». La langue, le port et vos autres choix ne seront pas conservés pour la prochaine fois.</translation>
    </message>
</context>
<context>
    <name>SharedFolders</name>
    <message>
        <source>it is a link that another user made in a shared folder, which is not followed</source>
        <translation>c’est un lien qu’un autre utilisateur a créé dans un dossier partagé ; il n’est pas suivi</translation>
    </message>
    <message>
        <source>it was made by another user in a shared folder; choose another name</source>
        <translation>il a été créé par un autre utilisateur dans un dossier partagé ; choisissez un autre nom</translation>
    </message>
</context>
<context>
    <name>UnsavedResultsGuard</name>
    <message>
        <source>The downloaded results have not been saved.</source>
        <translation>Les résultats téléchargés n’ont pas été enregistrés.</translation>
    </message>
</context>
</TS>
