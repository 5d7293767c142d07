<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>ChartPrintJob</name>
    <message>
        <source>printed %1    page %2 of %3</source>
        <translation>imprimé le %1    page %2 sur %3</translation>
    </message>
    <message>
        <source>%1    printed %2    page %3 of %4</source>
        <translation>%1    imprimé le %2    page %3 sur %4</translation>
    </message>
</context>
<context>
    <name>ComparatorLimitsDialog</name>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Comparateur : réglage des limites haute et basse</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>Limite haute : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>Limite basse : </translation>
    </message>
</context>
<context>
    <name>ComparatorWindow</name>
    <message>
        <source>%1: above the upper limit</source>
        <translation>%1 : au-dessus de la limite haute</translation>
    </message>
    <message>
        <source>%1: below the lower limit</source>
        <translation>%1 : en dessous de la limite basse</translation>
    </message>
    <message>
        <source>%1: within the limits</source>
        <translation>%1 : dans les limites</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ARRÊT</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Comparateur : réglage des limites haute et basse</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>MARCHE</translation>
    </message>
</context>
<context>
    <name>DataListWindow</name>
    <message>
        <source>Sheet%1</source>
        <translation>Feuille%1</translation>
    </message>
    <message>
        <source>The readings were away for a while before this line.</source>
        <translation>Les mesures ont été absentes un moment avant cette ligne.</translation>
    </message>
    <message>
        <source>&amp;Go to Sample…</source>
        <translation>&amp;Aller à l’échantillon…</translation>
    </message>
    <message>
        <source>Go to the line of a sample number (Ctrl+G)</source>
        <translation>Aller à la ligne d’un numéro d’échantillon (Ctrl+G)</translation>
    </message>
    <message>
        <source>Go to Sample</source>
        <translation>Aller à l’échantillon</translation>
    </message>
    <message>
        <source>Sample number (1 to %1):</source>
        <translation>Numéro d’échantillon (1 à %1) :</translation>
    </message>
</context>
<context>
    <name>DesktopAlerts</name>
    <message>
        <source>Meter link ended</source>
        <translation>Liaison avec le multimètre terminée</translation>
    </message>
    <message>
        <source>Waiting for the meter</source>
        <translation>En attente du multimètre</translation>
    </message>
    <message>
        <source>Comparator alarm</source>
        <translation>Alarme du comparateur</translation>
    </message>
    <message>
        <source>The reading is above the upper limit of %1.</source>
        <translation>La mesure dépasse la limite haute de %1.</translation>
    </message>
    <message>
        <source>The reading is below the lower limit of %1.</source>
        <translation>La mesure est sous la limite basse de %1.</translation>
    </message>
    <message>
        <source>Recording stopped</source>
        <translation>Enregistrement arrêté</translation>
    </message>
</context>
<context>
    <name>DigitalMeterWindow</name>
    <message>
        <source>No Device</source>
        <translation>Aucun appareil</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>Appareil USB</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Tidy CSV (date, time, SI values)</source>
        <translation>CSV ordonné (date, heure, valeurs SI)</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Disposition</translation>
    </message>
    <message>
        <source>Long (a row per meter and sample)</source>
        <translation>Long (une ligne par multimètre et échantillon)</translation>
    </message>
    <message>
        <source>Wide (a column per meter)</source>
        <translation>Large (une colonne par multimètre)</translation>
    </message>
</context>
<context>
    <name>GraphPrinter</name>
    <message>
        <source>File: </source>
        <translation>Fichier : </translation>
    </message>
    <message>
        <source>Printer: </source>
        <translation>Imprimante : </translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Find in the manual (Ctrl+F)</source>
        <translation>Rechercher dans le manuel (Ctrl+F)</translation>
    </message>
</context>
<context>
    <name>IntervalDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>LineColorDialog</name>
    <message>
        <source>Graph Line Color</source>
        <translation>Couleur de la courbe</translation>
    </message>
    <message>
        <source>Line Color 1...</source>
        <translation>Couleur de ligne 1...</translation>
    </message>
    <message>
        <source>Line Color 2...</source>
        <translation>Couleur de ligne 2...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>LoggerWindow</name>
    <message>
        <source>All sessions</source>
        <translation>Toutes les séries</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Série %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Intervals</source>
        <translation>&amp;Intervalles</translation>
    </message>
    <message>
        <source>The cable is plugged in, but this user may not open it. Check that the udev rule 70-telmora-cable.rules is installed and that you are in the plugdev group:</source>
        <translation>Le câble est branché, mais cet utilisateur n’a pas le droit de l’ouvrir. Vérifiez que la règle udev 70-telmora-cable.rules est installée et que vous êtes dans le groupe plugdev :</translation>
    </message>
    <message>
        <source>then log in again and plug the cable in anew.</source>
        <translation>puis reconnectez-vous et rebranchez le câble.</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in to the computer and to the meter.</source>
        <translation>Vérifiez que le câble est branché à l’ordinateur et au multimètre.</translation>
    </message>
    <message>
        <source>The cable is plugged in, but it cannot be opened.</source>
        <translation>Le câble est branché, mais il ne peut pas être ouvert.</translation>
    </message>
    <message>
        <source>&amp;Reconnect automatically</source>
        <translation>&amp;Reconnecter automatiquement</translation>
    </message>
    <message>
        <source>Waiting for the cable…</source>
        <translation>En attente du câble…</translation>
    </message>
    <message>
        <source>Graphical &amp;viewer</source>
        <translation>&amp;Visionneuse graphique</translation>
    </message>
    <message>
        <source>Data L&amp;ogger</source>
        <translation>&amp;Enregistreur de données</translation>
    </message>
    <message>
        <source>Readings paused: logger memory is read</source>
        <translation>Mesures en pause : lecture de la mémoire de l’enregistreur</translation>
    </message>
    <message>
        <source>Desktop &amp;notifications</source>
        <translation>Notifications du &amp;bureau</translation>
    </message>
    <message>
        <source>Telmora &amp;Help</source>
        <translation>&amp;Aide de Telmora</translation>
    </message>
    <message>
        <source>Rename meter</source>
        <translation>Renommer le multimètre</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Nouveau nom pour %1 :</translation>
    </message>
    <message>
        <source>New name for %1 (%2):</source>
        <translation>Nouveau nom pour %1 (%2) :</translation>
    </message>
    <message>
        <source>Link &amp;all</source>
        <translation>Tout &amp;connecter</translation>
    </message>
    <message>
        <source>Logger memory fr&amp;om</source>
        <translation>Mémoire du logger dep&amp;uis</translation>
    </message>
    <message>
        <source>Re&amp;name meter</source>
        <translation>Re&amp;nommer le multimètre</translation>
    </message>
    <message>
        <source>%1 meters linked</source>
        <translation>%1 multimètres connectés</translation>
    </message>
    <message>
        <source>&amp;Publish readings...</source>
        <translation>&amp;Publier les mesures...</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math channel</source>
        <translation>Canal calculé</translation>
    </message>
    <message>
        <source>Expression of the meters&apos; readings (for example M1 * M2 or M1 - M2);
leave it empty for no math channel. The meters are:</source>
        <translation>Expression des mesures des multimètres (par exemple M1 * M2 ou M1 - M2) ;
laisser vide pour aucun canal calculé. Les multimètres sont :</translation>
    </message>
    <message>
        <source>The expression cannot be used.</source>
        <translation>L&apos;expression ne peut pas être utilisée.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Save As…</source>
        <translation>&amp;Enregistrer sous…</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Abandonner</translation>
    </message>
</context>
<context>
    <name>MeterStrip</name>
    <message>
        <source>Meters</source>
        <translation>Multimètres</translation>
    </message>
    <message>
        <source>Not linked</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Above the upper limit</source>
        <translation>Au-dessus de la limite haute</translation>
    </message>
    <message>
        <source>Below the lower limit</source>
        <translation>En dessous de la limite basse</translation>
    </message>
    <message>
        <source>Within the limits</source>
        <translation>Dans les limites</translation>
    </message>
    <message>
        <source>Min %1 / Max %2</source>
        <translation>Min %1 / Max %2</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>The broker address must start with mqtt:// or mqtts://.</source>
        <translation>L&apos;adresse du broker doit commencer par mqtt:// ou mqtts://.</translation>
    </message>
    <message>
        <source>The broker address takes no path after the host.</source>
        <translation>L&apos;adresse du broker ne prend pas de chemin après l&apos;hôte.</translation>
    </message>
    <message>
        <source>Give the user name and password in their own fields, not in the broker address.</source>
        <translation>Indiquez le nom d&apos;utilisateur et le mot de passe dans leurs propres champs, pas dans l&apos;adresse du broker.</translation>
    </message>
    <message>
        <source>The IPv6 address lacks its closing ].</source>
        <translation>Il manque le ] fermant de l&apos;adresse IPv6.</translation>
    </message>
    <message>
        <source>Unexpected text after the host.</source>
        <translation>Texte inattendu après l&apos;hôte.</translation>
    </message>
    <message>
        <source>The broker address has no host.</source>
        <translation>L&apos;adresse du broker n&apos;a pas d&apos;hôte.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Le port doit être un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>The topic prefix must not contain + or #.</source>
        <translation>Le préfixe de sujet ne doit contenir ni + ni #.</translation>
    </message>
    <message>
        <source>The topic prefix is too long.</source>
        <translation>Le préfixe de sujet est trop long.</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish readings</source>
        <translation>Publier les mesures</translation>
    </message>
    <message>
        <source>The publishing settings could not be kept.</source>
        <translation>Les réglages de publication n&apos;ont pas pu être conservés.</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s secret store.</source>
        <translation>Le mot de passe est conservé dans le trousseau du bureau.</translation>
    </message>
    <message>
        <source>No secret store was found: the password is kept in %1, which only you can read.</source>
        <translation>Aucun trousseau trouvé : le mot de passe est conservé dans %1, que vous seul pouvez lire.</translation>
    </message>
    <message>
        <source>The password is kept until Telmora ends: the configuration folder cannot be used.</source>
        <translation>Le mot de passe est conservé jusqu&apos;à la fin de Telmora : le dossier de configuration ne peut pas être utilisé.</translation>
    </message>
    <message>
        <source>&amp;Publish every reading to an MQTT broker</source>
        <translation>&amp;Publier chaque mesure vers un broker MQTT</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Broker :</translation>
    </message>
    <message>
        <source>chosen by Telmora</source>
        <translation>choisi par Telmora</translation>
    </message>
    <message>
        <source>&amp;Client id:</source>
        <translation>Identifiant &amp;client :</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nom d&apos;&amp;utilisateur :</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>&amp;Topic prefix:</source>
        <translation>Préfixe de &amp;sujet :</translation>
    </message>
    <message>
        <source>0 - at most once</source>
        <translation>0 - au plus une fois</translation>
    </message>
    <message>
        <source>1 - at least once</source>
        <translation>1 - au moins une fois</translation>
    </message>
    <message>
        <source>&amp;Quality of service:</source>
        <translation>&amp;Qualité de service :</translation>
    </message>
    <message>
        <source>the system&apos;s certificates (mqtts only)</source>
        <translation>les certificats du système (mqtts seulement)</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>Pa&amp;rcourir...</translation>
    </message>
    <message>
        <source>C&amp;A certificate:</source>
        <translation>Certificat d&apos;&amp;AC :</translation>
    </message>
    <message>
        <source>Each meter publishes to %1/&lt;serial number&gt;/reading, …/statistics and …/status.</source>
        <translation>Chaque multimètre publie vers %1/&lt;numéro de série&gt;/reading, …/statistics et …/status.</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>Certificat d&apos;AC</translation>
    </message>
    <message>
        <source>Certificates (*.pem *.crt);;All files (*)</source>
        <translation>Certificats (*.pem *.crt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The broker address cannot be used.</source>
        <translation>L&apos;adresse du broker ne peut pas être utilisée.</translation>
    </message>
    <message>
        <source>The topic prefix cannot be used.</source>
        <translation>Le préfixe de sujet ne peut pas être utilisé.</translation>
    </message>
</context>
<context>
    <name>RecorderGraph</name>
    <message>
        <source>No readings yet</source>
        <translation>Aucune mesure pour l’instant</translation>
    </message>
    <message>
        <source>Newest reading %1 at %2, lowest %3, highest %4</source>
        <translation>Dernière mesure %1 à %2, minimum %3, maximum %4</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Enregistreur de données</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Mesure</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
</context>
<context>
    <name>RecorderPanels</name>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
</context>
<context>
    <name>RecorderText</name>
    <message>
        <source>[cannot be read: the recording&apos;s file has become shorter]</source>
        <translation>[illisible : le fichier de l’enregistrement a raccourci]</translation>
    </message>
</context>
<context>
    <name>RecorderWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>unsaved recording</source>
        <translation>enregistrement non sauvegardé</translation>
    </message>
    <message>
        <source>Writing the file…</source>
        <translation>Écriture du fichier…</translation>
    </message>
    <message>
        <source>%1 of %2 samples written</source>
        <translation>%1 échantillons écrits sur %2</translation>
    </message>
    <message>
        <source>M&amp;ath channel...</source>
        <translation>Canal &amp;calculé...</translation>
    </message>
    <message>
        <source>Telmora recording</source>
        <translation>Enregistrement Telmora</translation>
    </message>
    <message>
        <source>Meter %1</source>
        <translation>Multimètre %1</translation>
    </message>
    <message>
        <source>T&amp;rigger...</source>
        <translation>Déc&amp;lencheur...</translation>
    </message>
    <message>
        <source>Waiting for %1</source>
        <translation>En attente de %1</translation>
    </message>
</context>
<context>
    <name>RecordingOverview</name>
    <message>
        <source>Put the cursor on the largest sample</source>
        <translation>Placer le curseur sur le plus grand échantillon</translation>
    </message>
    <message>
        <source>Put the cursor on the smallest sample</source>
        <translation>Placer le curseur sur le plus petit échantillon</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Enregistreur de données</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Mesure</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Affiché</translation>
    </message>
</context>
<context>
    <name>RecordingRecovery</name>
    <message>
        <source>Telmora ended unexpectedly while recording. Open the recording of %1 with %2 samples?</source>
        <translation>Telmora s’est arrêté de façon inattendue pendant un enregistrement. Ouvrir l’enregistrement du %1 avec %2 échantillons ?</translation>
    </message>
</context>
<context>
    <name>SessionFiles</name>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>Impossible de créer le fichier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Impossible d’écrire le fichier %1 : %2</translation>
    </message>
</context>
<context>
    <name>SessionGraphView</name>
    <message>
        <source>Main-Data</source>
        <translation>Affichage principal</translation>
    </message>
    <message>
        <source>Sub-Data</source>
        <translation>Affichage secondaire</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Sub-data</source>
        <translation>Affichage secondaire</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Série</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Mesure</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Série %1</translation>
    </message>
    <message>
        <source>sessions downloaded from the meter</source>
        <translation>séries téléchargées depuis le multimètre</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The settings and window places of this run are not saved.</source>
        <translation>Les réglages et la position des fenêtres de cette exécution ne sont pas enregistrés.</translation>
    </message>
    <message>
        <source>Recordings cannot be kept on the disk while they are taken, so recording is refused.</source>
        <translation>Les enregistrements ne peuvent pas être conservés sur le disque pendant l’acquisition : l’enregistrement est donc refusé.</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>Count</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Écart type</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Dépassements</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Affiché</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
</context>
<context>
    <name>TemporaryStorage</name>
    <message>
        <source>The folder %1 is not used: %2.</source>
        <translation>Le dossier %1 n’est pas utilisé : %2.</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>Alarm: %1 went above the upper limit</source>
        <translation>Alarme : %1 a dépassé la limite haute</translation>
    </message>
    <message>
        <source>Alarm: %1 went below the lower limit</source>
        <translation>Alarme : %1 est passé sous la limite basse</translation>
    </message>
    <message>
        <source>The cable of %1 was lost</source>
        <translation>Le câble de %1 a été perdu</translation>
    </message>
    <message>
        <source>The cable of %1 is back</source>
        <translation>Le câble de %1 est revenu</translation>
    </message>
    <message>
        <source>The markers kept with this recording could not be read; the recording was opened without them.</source>
        <translation>Les repères de cet enregistrement n&apos;ont pas pu être lus ; l&apos;enregistrement a été ouvert sans eux.</translation>
    </message>
    <message>
        <source>The markers could not be kept beside the recording&apos;s temporary files. Until the recording is saved they are held only in memory.</source>
        <translation>Les repères n&apos;ont pas pu être conservés à côté des fichiers temporaires de l&apos;enregistrement. Jusqu&apos;à l&apos;enregistrement du fichier, ils ne sont gardés qu&apos;en mémoire.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Telmora developers</source>
        <translation>Copyright (C) 2026 les développeurs de Telmora</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>Affichage numérique</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>Affichage analogique</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>Comparateur</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>Liste des données</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>Enregistreur graphique</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>Visionneuse graphique</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>Option d’intervalle d’acquisition</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>Exportation de l’enregistreur de données</translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Enregistreur de données</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>Mode d’acquisition</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>Pleine vitesse</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>Personnalisation...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>Intervalle en seconde(s)</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>Entrer une valeur entière ? </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>Métafichier</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>Image bitmap</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>Texte/données seulement</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Presse-papiers</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Imprimante</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>Étendue des pages</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Toutes les pages</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>Cette page</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>À</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>Taille de l’objet</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>Aucune taille précise</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Pixels</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>Millimètres</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pouces</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unités</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>&amp;Configuration de l’imprimante...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>&amp;Importer les données du multimètre</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Connecter</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>&amp;Déconnecter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Clear all data</source>
        <translation>Effacer toutes les données</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaïque</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>Affichage &amp;numérique</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>Affichage &amp;analogique</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>&amp;Comparateur</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>Enregistreur &amp;graphique</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>&amp;Liste des données</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>C&amp;OM port</source>
        <translation>Port &amp;COM</translation>
    </message>
    <message>
        <source>&amp;USB port</source>
        <translation>Port &amp;USB</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>Ac&amp;quisition</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manuel</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>&amp;Intervalle...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>P&amp;remière page</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>Page &amp;précédente</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>Page &amp;suivante</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>&amp;Dernière page</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>Im&amp;primer cette page ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>E&amp;xporter ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>&amp;Couleur de la courbe</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>&amp;Ajuster à toutes les données</translation>
    </message>
    <message>
        <source>Undo &amp;Zooming</source>
        <translation>Annuler le &amp;zoom</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>Connecter au multimètre</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>Déconnecter le multimètre</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>Fenêtres en mosaïque</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>Affichage numérique</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>Affichage analogique</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Liste des données</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>Choix du port...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos de</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>Démarrer l’acquisition</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>Arrêter l’acquisition</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Ouvrir un fichier...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Enregistrer le fichier...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Imprimer cette page</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Effacer l’enregistrement</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>Option d’intervalle...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>Acquisition manuelle</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Première page</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Dernière page</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>Ajuster à toutes les données</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>Annuler le zoom</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>Importer les données du multimètre</translation>
    </message>
    <message>
        <source>All existing data in buffer will be destroyed.</source>
        <translation>Toutes les données de la mémoire tampon seront détruites.</translation>
    </message>
    <message>
        <source>Translating...</source>
        <translation>Conversion...</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>Enregistrement en cours ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>Données en mémoire tampon : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>Page : %d sur %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>Voulez-vous enregistrer les données dans un fichier avant de quitter ?</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>Nouvel essai automatique dans 3 secondes.</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>(Reprise automatique dans 3 secondes.)</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>Lecture des données : %d sur %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>La pile du multimètre est faible.</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>Voulez-vous vraiment effacer les données de la mémoire tampon ?</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>La mémoire tampon contient des données.</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>Aucune donnée reçue.</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>Lecture des données du fichier choisi. Veuillez patienter ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>Ajout des données dans la mémoire tampon. Veuillez patienter...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>Première page.</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>Dernière page.</translation>
    </message>
    <message>
        <source>Do you really want to proceed?</source>
        <translation>Voulez-vous vraiment continuer ?</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>Acquisition  des données du multimètre ... veuillez patienter ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>Traitement des données ... veuillez patienter ...</translation>
    </message>
    <message>
        <source>Only the complete sessions of the meter memory could be read.</source>
        <translation>Seules les séries complètes de la mémoire du multimètre ont pu être lues.</translation>
    </message>
    <message>
        <source>The recorder is still recording.
Keep recording with the window closed?

Yes: the recording goes on in the background.
No: the recording stops.
Cancel: the window stays open.</source>
        <translation>L’enregistreur enregistre encore.
Continuer l’enregistrement avec la fenêtre fermée ?

Oui : l’enregistrement continue en arrière-plan.
Non : l’enregistrement s’arrête.
Annuler : la fenêtre reste ouverte.</translation>
    </message>
    <message>
        <source>A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.</source>
        <translation>Un enregistrement laissé par un arrêt inattendu de Telmora est conservé sur le disque, mais il ne peut pas être repris maintenant. Il sera proposé lors d’un prochain démarrage, dès qu’il y aura de la place sur le disque.</translation>
    </message>
    <message>
        <source>Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:</source>
        <translation>Tous les multimètres de cet enregistrement ne sont pas connectés. Ces multimètres enregistrent des lacunes jusqu’à ce qu’ils soient connectés et que l’enregistrement soit relancé :</translation>
    </message>
    <message>
        <source>Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?</source>
        <translation>Telmora a aussi laissé l’enregistrement du %1 avec %2 mesures. L’enregistrement choisi pour Ouvrir sera ouvert après celui-ci. Enregistrer cet enregistrement sous un nouveau nom, ou le supprimer ?</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>Avertissement[W%d]</translation>
    </message>
    <message>
        <source>The file is damaged or is not a file of this program.</source>
        <translation>Le fichier est endommagé ou n’appartient pas à ce programme.</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>Vous devez vous connecter au multimètre avec le bouton de connexion avant de démarrer l’enregistrement.</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>Impossible de créer le fichier de stockage temporaire en temps réel sur le disque dur.</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>Erreur d’ouverture du fichier.</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>Erreur d’enregistrement du fichier.</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>Mémoire système insuffisante !</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>Valeur décimale non valide !</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>Le réglage des limites n’est pas acceptable.</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>Veuillez cliquer sur &quot;Parcourir&quot; et indiquer un nom de fichier !</translation>
    </message>
    <message>
        <source>USB adapter cable not found.</source>
        <translation>Câble adaptateur USB introuvable.</translation>
    </message>
    <message>
        <source>Data transmission timeout.</source>
        <translation>Délai de transmission des données dépassé.</translation>
    </message>
    <message>
        <source>Your meter is power off, disconnected or without built-in DATA LOGGING function.</source>
        <translation>Votre multimètre est éteint, déconnecté ou dépourvu de la fonction intégrée d’enregistrement (DATA LOGGING).</translation>
    </message>
    <message>
        <source>Unable to write the settings file.</source>
        <translation>Impossible d’écrire le fichier de réglages.</translation>
    </message>
    <message>
        <source>The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.</source>
        <translation>Le multimètre ne répond pas. Le câble adaptateur USB est branché : vérifiez que le multimètre est allumé et que le câble est branché sur le multimètre.</translation>
    </message>
    <message>
        <source>No printer is set up. Please set up a printer, or choose to print into a PDF file.</source>
        <translation>Aucune imprimante n’est configurée. Configurez une imprimante ou choisissez d’imprimer dans un fichier PDF.</translation>
    </message>
    <message>
        <source>The graph could not be printed.</source>
        <translation>Le graphique n’a pas pu être imprimé.</translation>
    </message>
    <message>
        <source>The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.</source>
        <translation>Le fichier contenant cet enregistrement a raccourci. Les échantillons qu’il ne contient plus ne peuvent être ni affichés, ni enregistrés, ni exportés ; ils sont exclus des statistiques.</translation>
    </message>
    <message>
        <source>A folder for Telmora&apos;s files is not used, because other users could change the files in it.</source>
        <translation>Un dossier destiné aux fichiers de Telmora n’est pas utilisé, car d’autres utilisateurs pourraient en modifier les fichiers.</translation>
    </message>
    <message>
        <source>The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.</source>
        <translation>Le dernier échantillon n’a pas pu être écrit dans le stockage temporaire du disque dur et n’est conservé qu’en mémoire. L’enregistrement est arrêté.</translation>
    </message>
    <message>
        <source>The interval must be a whole number of seconds from 0 to %d.</source>
        <translation>L’intervalle doit être un nombre entier de secondes de 0 à %d.</translation>
    </message>
    <message>
        <source>Nothing was replaced: the files that were there before are as they were.</source>
        <translation>Rien n’a été remplacé : les fichiers qui s’y trouvaient auparavant sont restés tels quels.</translation>
    </message>
    <message>
        <source>M%d is not a meter of this recording (it has %d).</source>
        <translation>M%d n’est pas un multimètre de cet enregistrement (il en a %d).</translation>
    </message>
    <message>
        <source>The expression cannot be read at character %d (counted from 1).</source>
        <translation>L’expression ne peut pas être lue au caractère %d (compté à partir de 1).</translation>
    </message>
    <message>
        <source>The expression is not finished: a value or a closing parenthesis is missing at its end.</source>
        <translation>L’expression n’est pas terminée : il manque une valeur ou une parenthèse fermante à sa fin.</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>Erreur[E%d]</translation>
    </message>
    <message>
        <source>A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:</source>
        <translation>Un fichier texte contient les mesures d'un seul multimètre ; chaque multimètre de l'enregistrement a donc été exporté dans son propre fichier :</translation>
    </message>
    <message>
        <source>A condition names a meter, &gt; or &lt; and a level, for example M1 &gt; 5 V or M2 &lt; 2.2k.</source>
        <translation>Une condition nomme un multimètre, &gt; ou &lt; et un seuil, par exemple M1 &gt; 5 V ou M2 &lt; 2.2k.</translation>
    </message>
    <message>
        <source>The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.</source>
        <translation>Le seuil n&apos;est pas un nombre. Écrivez-le avec un point comme séparateur décimal et, si vous le souhaitez, un préfixe (p, n, u, m, k, M, G, T), par exemple 2.2k.</translation>
    </message>
    <message>
        <source>The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.</source>
        <translation>Le multimètre n&apos;affiche pas cette unité. Utilisez V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA ou VAR, ou omettez-la.</translation>
    </message>
    <message>
        <source>The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.</source>
        <translation>L&apos;heure doit s&apos;écrire HH:MM ou HH:MM:SS, de 00:00 à 23:59:59.</translation>
    </message>
    <message>
        <source>The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.</source>
        <translation>L&apos;arrêt doit être une durée avec son unité (90s, 10m, 1.5h) ou un nombre d&apos;échantillons d&apos;au moins 1.</translation>
    </message>
</context>
<context>
    <name>TriggerDialog</name>
    <message>
        <source>Trigger</source>
        <translation>Déclencheur</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Démarrer l&apos;enregistrement</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>Immédiatement</translation>
    </message>
    <message>
        <source>When a value crosses a level:</source>
        <translation>Quand une valeur franchit un seuil :</translation>
    </message>
    <message>
        <source>At the time of day:</source>
        <translation>À l&apos;heure :</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Arrêter l&apos;enregistrement</translation>
    </message>
    <message>
        <source>By hand</source>
        <translation>À la main</translation>
    </message>
    <message>
        <source>After a duration (90s, 10m, 1.5h) or a number of samples:</source>
        <translation>Après une durée (90s, 10m, 1.5h) ou un nombre d&apos;échantillons :</translation>
    </message>
    <message>
        <source>When a condition holds:</source>
        <translation>Quand une condition est remplie :</translation>
    </message>
    <message>
        <source>Conditions read M1 &gt; 5 V or M2 &lt; 2.2k. The meters are:</source>
        <translation>Les conditions s&apos;écrivent M1 &gt; 5 V ou M2 &lt; 2.2k. Les multimètres sont :</translation>
    </message>
</context>
<context>
    <name>telmora::AboutDialog</name>
    <message>
        <source>Click to read the firmware version and serial number of the cable</source>
        <translation>Cliquer pour lire la version du micrologiciel et le numéro de série du câble</translation>
    </message>
    <message>
        <source>&amp;Cable Info</source>
        <translation>Infos &amp;câble</translation>
    </message>
    <message>
        <source>Desktop companion for USB-linked digital multimeters</source>
        <translation>Compagnon de bureau pour multimètres numériques reliés en USB</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Version %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.</source>
        <translation>Logiciel libre sous licence GNU GPL v3 ou ultérieure ; AUCUNE GARANTIE.</translation>
    </message>
</context>
<context>
    <name>telmora::Application</name>
    <message>
        <source>Meter %1</source>
        <translation>Multimètre %1</translation>
    </message>
</context>
<context>
    <name>telmora::ComparatorLimitsDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>telmora::CountdownNotice</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Interrompre</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continuer</translation>
    </message>
</context>
<context>
    <name>telmora::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Interrompre</translation>
    </message>
</context>
<context>
    <name>telmora::ReadingPublisher</name>
    <message>
        <source>MQTT: no meter linked</source>
        <translation>MQTT : aucun multimètre connecté</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT : connexion</translation>
    </message>
    <message>
        <source>MQTT: connected</source>
        <translation>MQTT : connecté</translation>
    </message>
    <message>
        <source>MQTT: not connected</source>
        <translation>MQTT : non connecté</translation>
    </message>
    <message>
        <source>MQTT: refused</source>
        <translation>MQTT : refusé</translation>
    </message>
    <message>
        <source>%1 readings dropped</source>
        <translation>%1 mesures abandonnées</translation>
    </message>
</context>
<context>
    <name>telmora::RecorderController</name>
    <message>
        <source>The recorder is busy.</source>
        <translation>L&apos;enregistreur est occupé.</translation>
    </message>
</context>
<context>
    <name>telmora::SessionGraphView</name>
    <message>
        <source>First session</source>
        <translation>Première série</translation>
    </message>
    <message>
        <source>Previous session</source>
        <translation>Série précédente</translation>
    </message>
    <message>
        <source>Next session</source>
        <translation>Série suivante</translation>
    </message>
    <message>
        <source>Last session</source>
        <translation>Dernière série</translation>
    </message>
</context>
<context>
    <name>MarkerCommands</name>
    <message>
        <source>Mar&amp;kers</source>
        <translation>&amp;Repères</translation>
    </message>
    <message>
        <source>&amp;Mark Sample...</source>
        <translation>&amp;Marquer l&apos;échantillon...</translation>
    </message>
    <message>
        <source>&amp;Next Marker</source>
        <translation>Repère &amp;suivant</translation>
    </message>
    <message>
        <source>&amp;Previous Marker</source>
        <translation>Repère &amp;précédent</translation>
    </message>
    <message>
        <source>Markers P&amp;anel</source>
        <translation>&amp;Liste des repères</translation>
    </message>
    <message>
        <source>Mark the current sample (Ctrl+M)</source>
        <translation>Marquer l&apos;échantillon actuel (Ctrl+M)</translation>
    </message>
    <message>
        <source>Mark sample %1</source>
        <translation>Marquer l&apos;échantillon %1</translation>
    </message>
    <message>
        <source>Note (may be left empty):</source>
        <translation>Note (peut rester vide) :</translation>
    </message>
</context>
<context>
    <name>MarkersPanel</name>
    <message>
        <source>Markers</source>
        <translation>Repères</translation>
    </message>
    <message>
        <source>Markers of the recording</source>
        <translation>Repères de l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Échantillon</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Edit Note...</source>
        <translation>Modifier la note...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Marker at sample %1</source>
        <translation>Repère à l&apos;échantillon %1</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note :</translation>
    </message>
</context>
<context>
    <name>LimitCountsView</name>
    <message>
        <source>Limits</source>
        <translation>Limites</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Dedans</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Au-dessus</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>En dessous</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Sorties</translation>
    </message>
    <message>
        <source>Samples inside the limits</source>
        <translation>Échantillons dans les limites</translation>
    </message>
    <message>
        <source>Samples above the upper limit</source>
        <translation>Échantillons au-dessus de la limite haute</translation>
    </message>
    <message>
        <source>Samples below the lower limit</source>
        <translation>Échantillons en dessous de la limite basse</translation>
    </message>
    <message>
        <source>Excursions outside the limits</source>
        <translation>Sorties hors des limites</translation>
    </message>
</context>
<context>
    <name>IntervalTableModel</name>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Multimètre</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unité</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Std. dev.</source>
        <translation>Écart type</translation>
    </message>
    <message>
        <source>Overloads</source>
        <translation>Surcharges</translation>
    </message>
    <message>
        <source>Inside</source>
        <translation>Dedans</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>Au-dessus</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>En dessous</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Sorties</translation>
    </message>
</context>
<context>
    <name>IntervalsPanel</name>
    <message>
        <source>1 second</source>
        <translation>1 seconde</translation>
    </message>
    <message>
        <source>10 seconds</source>
        <translation>10 secondes</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 jour</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalles</translation>
    </message>
    <message>
        <source>&amp;Interval:</source>
        <translation>&amp;Intervalle :</translation>
    </message>
    <message>
        <source>Interval length</source>
        <translation>Durée de l&apos;intervalle</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>Export the intervals as CSV</source>
        <translation>Exporter les intervalles en CSV</translation>
    </message>
    <message>
        <source>Figures of each interval</source>
        <translation>Valeurs de chaque intervalle</translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation>Comptage...</translation>
    </message>
    <message>
        <source>Export Intervals</source>
        <translation>Exporter les intervalles</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*)|*</source>
        <translation>Fichiers CSV (*.csv)|*.csv|Tous les fichiers (*)|*</translation>
    </message>
</context>
</TS>
