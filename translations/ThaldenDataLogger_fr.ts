<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>DialogLanguage</name>
    <message>
        <source>Please choose a language</source>
        <translation>Veuillez choisir une langue</translation>
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
        <translation>Voulez-vous convertir les données au format allemand ?</translation>
    </message>
    <message>
        <source>Decimal points will be replaced by commas and the commas separating fields will be replaced by semi-colons.</source>
        <translation>Les points décimaux seront remplacés par des virgules et les virgules séparant les champs par des points-virgules.</translation>
    </message>
    <message>
        <source>Error opening &quot;%1&quot; for writing. Is it open already or read only?</source>
        <comment>The %1 will be replaced with the a file name. Please do not remove it in your translation!</comment>
        <translation>Erreur lors de l’ouverture de « %1 » en écriture. Le fichier est-il déjà ouvert ou en lecture seule ?</translation>
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
        <translation>Voulez-vous redémarrer maintenant ?</translation>
    </message>
    <message>
        <source>The connection to the tester was lost after %1. The results may be incomplete.</source>
        <comment>The %1 is replaced with the amount received, such as 12.3 KB.</comment>
        <translation>La connexion avec le testeur a été perdue après %1. Les résultats sont peut-être incomplets.</translation>
    </message>
</context>
</TS>
