<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TAccountTokens</name>
    <message>
        <source>Sign in again</source>
        <translation>Reconnectez-vous</translation>
    </message>
</context>
<context>
    <name>TAccountTree</name>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2, %n new)</source>
        <translation>
            <numerusform>%1 (%2, %n nouveau)</numerusform>
            <numerusform>%1 (%2, %n nouveaux)</numerusform>
        </translation>
    </message>
    <message>
        <source>No accounts created yet</source>
        <translation>Aucun compte créé pour l&apos;instant</translation>
    </message>
</context>
<context>
    <name>TAccounts</name>
    <message>
        <source>An account with that name already exists</source>
        <translation>Un compte portant ce nom existe déjà</translation>
    </message>
    <message>
        <source>Part of the accounts file could not be read.</source>
        <translation>Une partie du fichier des comptes n&apos;a pas pu être lue.</translation>
    </message>
    <message>
        <source>The accounts file was kept as &quot;%1&quot;.</source>
        <translation>Le fichier des comptes a été conservé sous &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The accounts file could not be copied, so it will not be replaced until a copy can be made.</source>
        <translation>Le fichier des comptes n&apos;a pas pu être copié ; il ne sera donc pas remplacé tant qu&apos;une copie ne pourra pas être faite.</translation>
    </message>
</context>
<context>
    <name>TAttemptSignIn</name>
    <message>
        <source>The access token could not be renewed</source>
        <translation>Le jeton d&apos;accès n&apos;a pas pu être renouvelé</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>The provider no longer accepts this account&apos;s sign-in: use Sign in... in the account editor</source>
        <translation>Le fournisseur n&apos;accepte plus la connexion de ce compte : utilisez « Se connecter... » dans la fenêtre du compte</translation>
    </message>
</context>
<context>
    <name>TBrowserSignIn</name>
    <message>
        <source>No client id is set for this provider</source>
        <translation>Aucun identifiant client n&apos;est défini pour ce fournisseur</translation>
    </message>
    <message>
        <source>The provider&apos;s addresses must begin with https://</source>
        <translation>Les adresses du fournisseur doivent commencer par https://</translation>
    </message>
    <message>
        <source>The browser could not be opened</source>
        <translation>Le navigateur n&apos;a pas pu être ouvert</translation>
    </message>
    <message>
        <source>The sign-in was refused: %1</source>
        <translation>La connexion a été refusée : %1</translation>
    </message>
    <message>
        <source>The browser came back with an answer to another request</source>
        <translation>Le navigateur a renvoyé la réponse à une autre demande</translation>
    </message>
    <message>
        <source>No answer came from the browser in time</source>
        <translation>Le navigateur n&apos;a pas répondu à temps</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Annulé</translation>
    </message>
</context>
<context>
    <name>TCertificateDialog</name>
    <message>
        <source>Certificate not trusted</source>
        <translation>Certificat non approuvé</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted: %2.</source>
        <translation>Le certificat de %1 n&apos;est pas approuvé : %2.</translation>
    </message>
    <message>
        <source>It has changed since you trusted this server&apos;s certificate. Trust the new one only if you know why it changed.</source>
        <translation>Il a changé depuis que vous avez approuvé le certificat de ce serveur. N&apos;approuvez le nouveau que si vous savez pourquoi il a changé.</translation>
    </message>
    <message>
        <source>Issued to:</source>
        <translation>Délivré à :</translation>
    </message>
    <message>
        <source>Issued by:</source>
        <translation>Délivré par :</translation>
    </message>
    <message>
        <source>Valid from:</source>
        <translation>Valable à partir du :</translation>
    </message>
    <message>
        <source>Valid until:</source>
        <translation>Valable jusqu&apos;au :</translation>
    </message>
    <message>
        <source>SHA-256 fingerprint:</source>
        <translation>Empreinte SHA-256 :</translation>
    </message>
    <message>
        <source>Trusting it means that this certificate is accepted for %1 from now on, without asking again. Cancel sends nothing.</source>
        <translation>L&apos;approuver signifie que ce certificat sera désormais accepté pour %1 sans nouvelle question. « Annuler » n&apos;envoie rien.</translation>
    </message>
    <message>
        <source>Trust this certificate</source>
        <translation>Approuver ce certificat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TCertificateTrust</name>
    <message>
        <source>The trusted certificate could not be saved in &quot;%1&quot;: it will be asked for again next time</source>
        <translation>Le certificat approuvé n&apos;a pas pu être enregistré dans &quot;%1&quot; : il sera redemandé la prochaine fois</translation>
    </message>
</context>
<context>
    <name>TCheckFailure</name>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation>Erreur d&apos;authentification : vérifiez vos identifiants</translation>
    </message>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation>Erreur de connexion au serveur : vérifiez vos paramètres</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>The mailbox is in use by another program</source>
        <translation>La boîte aux lettres est utilisée par un autre programme</translation>
    </message>
    <message>
        <source>Try again later.</source>
        <translation>Réessayez plus tard.</translation>
    </message>
    <message>
        <source>The server allows the next log-in only after a delay</source>
        <translation>Le serveur n&apos;autorise la prochaine identification qu&apos;après un délai</translation>
    </message>
    <message>
        <source>The server has a passing problem</source>
        <translation>Le serveur a un problème passager</translation>
    </message>
    <message>
        <source>The server has a lasting problem</source>
        <translation>Le serveur a un problème durable</translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator.</source>
        <translation>Adressez-vous à l&apos;administrateur du serveur.</translation>
    </message>
    <message>
        <source>The server refused the user name</source>
        <translation>Le serveur a refusé le nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Correct it in the account editor.</source>
        <translation>Corrigez-le dans la fenêtre du compte.</translation>
    </message>
    <message>
        <source>The server refused the sign-in</source>
        <translation>Le serveur a refusé l&apos;authentification</translation>
    </message>
    <message>
        <source>If this goes on, use Sign in... in the account editor.</source>
        <translation>Si cela persiste, utilisez « Se connecter... » dans la fenêtre du compte.</translation>
    </message>
    <message>
        <source>The server refused the password</source>
        <translation>Le serveur a refusé le mot de passe</translation>
    </message>
    <message>
        <source>The saved password was kept: correct it in the account editor.</source>
        <translation>Le mot de passe enregistré a été conservé : corrigez-le dans la fenêtre du compte.</translation>
    </message>
    <message>
        <source>You will be asked for the password at the next check.</source>
        <translation>Le mot de passe vous sera demandé à la prochaine relève.</translation>
    </message>
    <message>
        <source>The account has no user name: enter one in the account editor</source>
        <translation>Le compte n&apos;a pas de nom d&apos;utilisateur : saisissez-en un dans la fenêtre du compte</translation>
    </message>
    <message>
        <source>The account is not signed in: use Sign in... in the account editor</source>
        <translation>Le compte n&apos;est pas connecté : utilisez « Se connecter... » dans la fenêtre du compte</translation>
    </message>
    <message>
        <source>No password was given: the next check asks for it</source>
        <translation>Aucun mot de passe n&apos;a été donné : la prochaine relève le demandera</translation>
    </message>
    <message>
        <source>The user name or the password holds characters that cannot be sent to the server</source>
        <translation>Le nom d&apos;utilisateur ou le mot de passe contient des caractères qui ne peuvent pas être envoyés au serveur</translation>
    </message>
    <message>
        <source>The server did not answer within %1</source>
        <translation>Le serveur n&apos;a pas répondu dans un délai de %1</translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation>Hôte indiqué non valide : vérifiez vos paramètres</translation>
    </message>
    <message>
        <source>No address was found for %1</source>
        <translation>Aucune adresse n&apos;a été trouvée pour %1</translation>
    </message>
    <message>
        <source>The address of %1 was not found within %2</source>
        <translation>L&apos;adresse de %1 n&apos;a pas été trouvée dans un délai de %2</translation>
    </message>
    <message>
        <source>No connection could be made to %1</source>
        <translation>Aucune connexion n&apos;a pu être établie avec %1</translation>
    </message>
    <message>
        <source>The server refused to count the messages</source>
        <translation>Le serveur a refusé de compter les messages</translation>
    </message>
    <message>
        <source>The server refused the connection</source>
        <translation>Le serveur a refusé la connexion</translation>
    </message>
    <message>
        <source>The server did not greet as a POP3 server</source>
        <translation>Le serveur ne s&apos;est pas présenté comme un serveur POP3</translation>
    </message>
    <message>
        <source>The server closed the connection during the log-in</source>
        <translation>Le serveur a fermé la connexion pendant l&apos;identification</translation>
    </message>
    <message>
        <source>The server sent a line too long to read during the log-in</source>
        <translation>Le serveur a envoyé une ligne trop longue pour être lue pendant l&apos;identification</translation>
    </message>
    <message>
        <source>The server&apos;s count of messages could not be read</source>
        <translation>Le nombre de messages indiqué par le serveur n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>Nothing was sent to the server. Check the server&apos;s name, and trust its certificate only if you know why it is not trusted.</source>
        <translation>Rien n&apos;a été envoyé au serveur. Vérifiez le nom du serveur, et n&apos;approuvez son certificat que si vous savez pourquoi il n&apos;est pas approuvé.</translation>
    </message>
    <message>
        <source>The server offers only TLS versions older than 1.2, which are no longer safe, so no secure connection was made</source>
        <translation>Le serveur ne propose que des versions de TLS antérieures à 1.2, qui ne sont plus sûres ; aucune connexion sécurisée n&apos;a donc été établie</translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator to turn on TLS 1.2 or later.</source>
        <translation>Demandez à l&apos;administrateur du serveur d&apos;activer TLS 1.2 ou une version ultérieure.</translation>
    </message>
    <message>
        <source>Check the server&apos;s name and port: SSL/TLS is usually on port 995, STARTTLS on port 110.</source>
        <translation>Vérifiez le nom et le port du serveur : SSL/TLS est généralement sur le port 995, STARTTLS sur le port 110.</translation>
    </message>
    <message>
        <source>Choose SSL/TLS on port 995 in the account editor, or ask the server&apos;s administrator to turn on STARTTLS.</source>
        <translation>Choisissez SSL/TLS sur le port 995 dans la fenêtre du compte, ou demandez à l&apos;administrateur du serveur d&apos;activer STARTTLS.</translation>
    </message>
    <message>
        <source>The log-in failed</source>
        <translation>L&apos;identification a échoué</translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the message list</source>
        <translation>Le serveur n&apos;a pas répondu dans un délai de %1 pendant l&apos;envoi de la liste des messages</translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the header of message %2</source>
        <translation>Le serveur n&apos;a pas répondu dans un délai de %1 pendant l&apos;envoi de l&apos;en-tête du message %2</translation>
    </message>
    <message>
        <source>The server closed the connection while sending the message list</source>
        <translation>Le serveur a fermé la connexion pendant l&apos;envoi de la liste des messages</translation>
    </message>
    <message>
        <source>The server closed the connection while sending the header of message %1</source>
        <translation>Le serveur a fermé la connexion pendant l&apos;envoi de l&apos;en-tête du message %1</translation>
    </message>
    <message>
        <source>The server refused to send the message list</source>
        <translation>Le serveur a refusé d&apos;envoyer la liste des messages</translation>
    </message>
    <message>
        <source>The server refused to send the header of message %1</source>
        <translation>Le serveur a refusé d&apos;envoyer l&apos;en-tête du message %1</translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the message list</source>
        <translation>Le serveur a envoyé une ligne trop longue pour être lue dans la liste des messages</translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the header of message %1</source>
        <translation>Le serveur a envoyé une ligne trop longue pour être lue dans l&apos;en-tête du message %1</translation>
    </message>
    <message>
        <source>The server sent the message list in a form that could not be read</source>
        <translation>Le serveur a envoyé la liste des messages sous une forme illisible</translation>
    </message>
    <message>
        <source>The server sent the header of message %1 in a form that could not be read</source>
        <translation>Le serveur a envoyé l&apos;en-tête du message %1 sous une forme illisible</translation>
    </message>
    <message>
        <source>Reading the message list failed</source>
        <translation>La lecture de la liste des messages a échoué</translation>
    </message>
    <message>
        <source>Reading the header of message %1 failed</source>
        <translation>La lecture de l&apos;en-tête du message %1 a échoué</translation>
    </message>
    <message>
        <source>No message was read.</source>
        <translation>Aucun message n&apos;a été lu.</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 messages read.</source>
        <translation>
            <numerusform>%n message lu sur %1.</numerusform>
            <numerusform>%n messages lus sur %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TCheckRound</name>
    <message>
        <source>Not checked in the background: its password is not saved. Check it yourself, or save the password in the account editor.</source>
        <translation>Non relevé en arrière-plan : son mot de passe n&apos;est pas enregistré. Relevez-le vous-même, ou enregistrez le mot de passe dans la fenêtre du compte.</translation>
    </message>
    <message>
        <source>Not checked: no password was given.</source>
        <translation>Non relevé : aucun mot de passe n&apos;a été donné.</translation>
    </message>
</context>
<context>
    <name>TConfigFolder</name>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot use the folder %1: %2</source>
        <translation>Impossible d&apos;utiliser le dossier %1 : %2</translation>
    </message>
</context>
<context>
    <name>TDeletion</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation>Ce message a changé de place dans la file, veuillez relever à nouveau ce compte</translation>
    </message>
    <message>
        <source>That email no longer seems to exist. Re-check account</source>
        <translation>Ce message ne semble plus exister. Relevez à nouveau le compte</translation>
    </message>
    <message>
        <source>An error occured while connecting</source>
        <translation>Une erreur est survenue lors de la connexion</translation>
    </message>
    <message>
        <source>One or more of the emails you selected is not longer on the server.
<byte value="xd"/>Please re-check this account and try again</source>
        <translation>Un ou plusieurs des messages sélectionnés ne sont plus sur le serveur.
<byte value="xd"/>Veuillez relever à nouveau ce compte et réessayer</translation>
    </message>
    <message>
        <source>You are about to delete multiple emails. Each one is checked first, and
<byte value="xd"/>one that has moved in the queue is kept. Are you sure you want to continue?</source>
        <translation>Vous allez supprimer plusieurs messages. Chacun est d&apos;abord vérifié, et
<byte value="xd"/>celui qui a changé de place dans la file est conservé. Voulez-vous vraiment continuer ?</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 of the %n emails you selected.</source>
        <translation>
            <numerusform>Supprimé : %1 sur %n message sélectionné.</numerusform>
            <numerusform>Supprimés : %1 sur les %n messages sélectionnés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and was not deleted.</source>
        <translation>
            <numerusform>%n avait changé de place dans la file et n&apos;a pas été supprimé.</numerusform>
            <numerusform>%n avaient changé de place dans la file et n&apos;ont pas été supprimés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and were not deleted.</source>
        <translation>
            <numerusform>%n avait changé de place dans la file et n&apos;a pas été supprimé.</numerusform>
            <numerusform>%n avaient changé de place dans la file et n&apos;ont pas été supprimés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Please re-check this account</source>
        <translation>Veuillez relever à nouveau ce compte</translation>
    </message>
    <message>
        <source>Delete email with the following details?
<byte value="xd"/>
<byte value="xd"/>Subject : %1
<byte value="xd"/>From : %2
<byte value="xd"/>Date : %3
<byte value="xd"/>Size : %4 KB</source>
        <translation>Supprimer le message suivant ?
<byte value="xd"/>
<byte value="xd"/>Objet : %1
<byte value="xd"/>De : %2
<byte value="xd"/>Date : %3
<byte value="xd"/>Taille : %4 Ko</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Delete the email marked for deletion by your rules?</source>
        <translation>Supprimer le message marqué pour suppression par vos règles ?</translation>
    </message>
    <message numerus="yes">
        <source>Delete the %n emails marked for deletion by your rules?</source>
        <translation>
            <numerusform>Supprimer %n message marqué pour suppression par vos règles ?</numerusform>
            <numerusform>Supprimer les %n messages marqués pour suppression par vos règles ?</numerusform>
        </translation>
    </message>
    <message>
        <source>Each one is checked first, and one that has moved in the queue is kept.</source>
        <translation>Chacun est d&apos;abord vérifié, et celui qui a changé de place dans la file est conservé.</translation>
    </message>
</context>
<context>
    <name>TDesktopNotifier</name>
    <message>
        <source>Show Vellion</source>
        <translation>Afficher Vellion</translation>
    </message>
    <message>
        <source>Check all accounts</source>
        <translation>Relever tous les comptes</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Relever à nouveau</translation>
    </message>
    <message numerus="yes">
        <source>Vellion: %n new</source>
        <translation>
            <numerusform>Vellion : %n nouveau</numerusform>
            <numerusform>Vellion : %n nouveaux</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Add Account</source>
        <translation>Ajouter un compte</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>Supprimer le compte</translation>
    </message>
    <message>
        <source>Modify Account</source>
        <translation>Modifier le compte</translation>
    </message>
    <message>
        <source>Check All Accounts</source>
        <translation>Relever tous les comptes</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Paramètres...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Relever</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>En-têtes</translation>
    </message>
    <message>
        <source>; every account: </source>
        <translation> ; tous les comptes : </translation>
    </message>
    <message>
        <source>Error saving the settings</source>
        <translation>Erreur lors de l&apos;enregistrement des paramètres</translation>
    </message>
    <message>
        <source>Error saving the start at log-in</source>
        <translation>Erreur lors de l&apos;enregistrement du démarrage à la connexion</translation>
    </message>
    <message>
        <source>Delete Marked</source>
        <translation>Supprimer les marqués</translation>
    </message>
    <message>
        <source>Mail Rules...</source>
        <translation>Règles de courrier...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Error saving account information</source>
        <translation>Erreur lors de l&apos;enregistrement des informations du compte</translation>
    </message>
    <message>
        <source>Error saving window settings</source>
        <translation>Erreur lors de l&apos;enregistrement des paramètres de la fenêtre</translation>
    </message>
    <message>
        <source>No accounts exist</source>
        <translation>Aucun compte n&apos;existe</translation>
    </message>
    <message>
        <source>Delete account &quot;%1&quot;?</source>
        <translation>Supprimer le compte &quot;%1&quot; ?</translation>
    </message>
    <message>
        <source>Error occured deleting acount</source>
        <translation>Erreur lors de la suppression du compte</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier des comptes</translation>
    </message>
    <message>
        <source>An error occured refreshing accounts: please restart program</source>
        <translation>Une erreur est survenue lors de l&apos;actualisation des comptes : veuillez redémarrer le programme</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Pas d&apos;aperçu : %1</translation>
    </message>
    <message>
        <source>No preview: the account&apos;s password is not known</source>
        <translation>Pas d&apos;aperçu : le mot de passe du compte n&apos;est pas connu</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>Lecture...</translation>
    </message>
    <message>
        <source>Error reading the mail rules</source>
        <translation>Erreur lors de la lecture des règles de courrier</translation>
    </message>
    <message>
        <source>No email is marked for deletion</source>
        <translation>Aucun message n&apos;est marqué pour suppression</translation>
    </message>
    <message>
        <source>Error saving the mail rules</source>
        <translation>Erreur lors de l&apos;enregistrement des règles de courrier</translation>
    </message>
</context>
<context>
    <name>THeaders</name>
    <message>
        <source>&amp;Raw</source>
        <translation>B&amp;rut</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>En-têtes</translation>
    </message>
    <message>
        <source>Message header</source>
        <translation>En-tête du message</translation>
    </message>
    <message>
        <source>Show the header lines exactly as the server sent them (Alt+R)</source>
        <translation>Afficher les lignes d&apos;en-tête exactement comme le serveur les a envoyées (Alt+R)</translation>
    </message>
    <message>
        <source>Headers - %1</source>
        <translation>En-têtes - %1</translation>
    </message>
</context>
<context>
    <name>TKeyringOffer</name>
    <message>
        <source>Saved passwords are kept scrambled in mail.acc, which anyone who can read the file can undo. Move them into the desktop&apos;s keyring?</source>
        <translation>Les mots de passe enregistrés sont conservés brouillés dans mail.acc, ce que quiconque peut lire le fichier peut défaire. Les déplacer dans le trousseau de clés du bureau ?</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier des comptes</translation>
    </message>
    <message>
        <source>The keyring did not take every password: the others stay in mail.acc.</source>
        <translation>Le trousseau de clés n&apos;a pas accepté tous les mots de passe : les autres restent dans mail.acc.</translation>
    </message>
</context>
<context>
    <name>TLoopbackListener</name>
    <message>
        <source>You may close this window and return to the program.</source>
        <translation>Vous pouvez fermer cette fenêtre et revenir au programme.</translation>
    </message>
    <message>
        <source>The sign-in did not succeed.</source>
        <translation>La connexion n&apos;a pas abouti.</translation>
    </message>
</context>
<context>
    <name>TMailCheck</name>
    <message>
        <source>The server ended the log-in without an answer</source>
        <translation>Le serveur a mis fin à l&apos;identification sans répondre</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Connexion à %1</translation>
    </message>
    <message>
        <source>Checking mail account...</source>
        <translation>Relève du compte...</translation>
    </message>
    <message>
        <source>Error destroying connection thread</source>
        <translation>Erreur lors de l&apos;arrêt du fil de connexion</translation>
    </message>
</context>
<context>
    <name>TMailOperations</name>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation>Erreur de connexion au serveur : vérifiez vos paramètres</translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation>Hôte indiqué non valide : vérifiez vos paramètres</translation>
    </message>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation>Erreur d&apos;authentification : vérifiez vos identifiants</translation>
    </message>
    <message>
        <source>Error occured</source>
        <translation>Une erreur est survenue</translation>
    </message>
</context>
<context>
    <name>TMailPreview</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation>Ce message a changé de place dans la file, veuillez relever à nouveau ce compte</translation>
    </message>
</context>
<context>
    <name>TMessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
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
    <name>TMessageGrid</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Objet</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation>Taille (Ko)</translation>
    </message>
    <message>
        <source>MessageID</source>
        <translation>ID du message</translation>
    </message>
    <message>
        <source>Marked for deletion by a rule</source>
        <translation>Marqué pour suppression par une règle</translation>
    </message>
    <message>
        <source>Highlighted by a rule</source>
        <translation>Mis en évidence par une règle</translation>
    </message>
    <message>
        <source>Ignored by a rule</source>
        <translation>Ignoré par une règle</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
</context>
<context>
    <name>TNewMailNotice</name>
    <message>
        <source>1 new message</source>
        <translation>1 nouveau message</translation>
    </message>
    <message numerus="yes">
        <source>%n new messages</source>
        <translation>
            <numerusform>%n nouveau message</numerusform>
            <numerusform>%n nouveaux messages</numerusform>
        </translation>
    </message>
    <message>
        <source>(no sender)</source>
        <translation>(sans expéditeur)</translation>
    </message>
    <message>
        <source>(no subject)</source>
        <translation>(sans objet)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n new)</source>
        <translation>
            <numerusform>%1 (%n nouveau)</numerusform>
            <numerusform>%1 (%n nouveaux)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>et %n autre</numerusform>
            <numerusform>et %n autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TPreviewPane</name>
    <message>
        <source>(unnamed %1)</source>
        <translation>(sans nom, %1)</translation>
    </message>
    <message>
        <source>Preview of the selected message</source>
        <translation>Aperçu du message sélectionné</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Pièces jointes : %1</translation>
    </message>
</context>
<context>
    <name>TRulesEditor</name>
    <message>
        <source>sender</source>
        <translation>l&apos;expéditeur</translation>
    </message>
    <message>
        <source>subject</source>
        <translation>l&apos;objet</translation>
    </message>
    <message>
        <source>any header</source>
        <translation>un en-tête</translation>
    </message>
    <message>
        <source>size</source>
        <translation>la taille</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>contient</translation>
    </message>
    <message>
        <source>matches</source>
        <translation>correspond à</translation>
    </message>
    <message>
        <source>is above</source>
        <translation>dépasse</translation>
    </message>
    <message>
        <source>mark for deletion</source>
        <translation>marquer pour suppression</translation>
    </message>
    <message>
        <source>highlight</source>
        <translation>mettre en évidence</translation>
    </message>
    <message>
        <source>ignore</source>
        <translation>ignorer</translation>
    </message>
    <message>
        <source>Every account</source>
        <translation>Tous les comptes</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>Expéditeur</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Objet</translation>
    </message>
    <message>
        <source>Any header</source>
        <translation>N&apos;importe quel en-tête</translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation>Taille (octets)</translation>
    </message>
    <message>
        <source>matches (pattern)</source>
        <translation>correspond à (motif)</translation>
    </message>
    <message>
        <source>Mark for deletion</source>
        <translation>Marquer pour suppression</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Mettre en évidence</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Mail Rules</source>
        <translation>Règles de courrier</translation>
    </message>
    <message>
        <source>Rules, tried in order</source>
        <translation>Règles, essayées dans l&apos;ordre</translation>
    </message>
    <message>
        <source>text, pattern or bytes</source>
        <translation>texte, motif ou octets</translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is never marked, one a line</source>
        <translation>Le courrier de ces adresses ou domaines n&apos;est jamais marqué, une par ligne</translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is marked for deletion, one a line</source>
        <translation>Le courrier de ces adresses ou domaines est marqué pour suppression, une par ligne</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Mon&amp;ter</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Descendre</translation>
    </message>
    <message>
        <source>If</source>
        <translation>Si</translation>
    </message>
    <message>
        <source>then</source>
        <translation>alors</translation>
    </message>
    <message>
        <source>Allow list (never marked):</source>
        <translation>Liste autorisée (jamais marquée) :</translation>
    </message>
    <message>
        <source>Block list (marked for deletion):</source>
        <translation>Liste bloquée (marquée pour suppression) :</translation>
    </message>
    <message>
        <source>Account %1</source>
        <translation>Compte %1</translation>
    </message>
    <message>
        <source>%1: if %2 %3 &quot;%4&quot; then %5</source>
        <translation>%1 : si %2 %3 &quot;%4&quot; alors %5</translation>
    </message>
    <message>
        <source> (never applies)</source>
        <translation> (ne s&apos;applique jamais)</translation>
    </message>
    <message>
        <source>A size rule needs &quot;Size&quot;, &quot;is above&quot; and a number of bytes.</source>
        <translation>Une règle de taille demande &quot;Taille (octets)&quot;, &quot;dépasse&quot; et un nombre d&apos;octets.</translation>
    </message>
    <message>
        <source>This rule could never apply: give a text, or a valid pattern.</source>
        <translation>Cette règle ne pourrait jamais s&apos;appliquer : indiquez un texte, ou un motif valide.</translation>
    </message>
</context>
<context>
    <name>TSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Relève</translation>
    </message>
    <message>
        <source>Check every account in the background every</source>
        <translation>Relever tous les comptes en arrière-plan toutes les</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source>Accounts that Check All and the periodic check take:</source>
        <translation>Comptes pris par « Relever tous les comptes » et la relève périodique :</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Bureau</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Rester dans la zone de notification quand la fenêtre est fermée</translation>
    </message>
    <message>
        <source>Show a notice of new mail</source>
        <translation>Afficher une notification des nouveaux messages</translation>
    </message>
    <message>
        <source>Play a sound with the notice</source>
        <translation>Jouer un son avec la notification</translation>
    </message>
    <message>
        <source>Start at log-in</source>
        <translation>Démarrer à la connexion</translation>
    </message>
    <message>
        <source>Start in the tray</source>
        <translation>Démarrer dans la zone de notification</translation>
    </message>
    <message>
        <source>Minutes between checks</source>
        <translation>Minutes entre les relèves</translation>
    </message>
    <message>
        <source>Lines of each message:</source>
        <translation>Lignes de chaque message :</translation>
    </message>
    <message>
        <source>Preview while checking</source>
        <translation>Aperçu pendant la relève</translation>
    </message>
    <message>
        <source>Each check reads these lines of every message with its header</source>
        <translation>Chaque relève lit ces lignes de chaque message avec son en-tête</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Accounts in rounds</source>
        <translation>Comptes des tournées</translation>
    </message>
    <message>
        <source>Selected account:</source>
        <translation>Compte sélectionné :</translation>
    </message>
    <message>
        <source>As set above</source>
        <translation>Comme réglé ci-dessus</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Toutes les</translation>
    </message>
    <message>
        <source>How often the periodic check takes the account selected above</source>
        <translation>Fréquence à laquelle la relève périodique traite le compte sélectionné ci-dessus</translation>
    </message>
    <message>
        <source>Minutes between the account&apos;s checks</source>
        <translation>Minutes entre les relèves du compte</translation>
    </message>
</context>
<context>
    <name>TSignInDialog</name>
    <message>
        <source>Sign in</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Sign in with your provider in the browser window that opened.
This window closes when the provider has answered.</source>
        <translation>Connectez-vous auprès de votre fournisseur dans la fenêtre du navigateur qui s&apos;est ouverte.
Cette fenêtre se ferme quand le fournisseur a répondu.</translation>
    </message>
</context>
<context>
    <name>TStart</name>
    <message>
        <source>Checks POP3 mailboxes without downloading the mail.</source>
        <translation>Relève des boîtes aux lettres POP3 sans télécharger le courrier.</translation>
    </message>
    <message>
        <source>Keep the files in the user&apos;s configuration folder (as the menu entry does).</source>
        <translation>Garder les fichiers dans le dossier de configuration de l&apos;utilisateur (comme l&apos;entrée de menu).</translation>
    </message>
    <message>
        <source>Keep the files in &lt;folder&gt;.</source>
        <translation>Garder les fichiers dans &lt;dossier&gt;.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>dossier</translation>
    </message>
    <message>
        <source>Start with only the tray icon (as at log-in).</source>
        <translation>Démarrer avec la seule icône de la zone de notification (comme à l&apos;ouverture de session).</translation>
    </message>
</context>
<context>
    <name>TStatus</name>
    <message>
        <source>connecting to server ...</source>
        <translation>connexion au serveur ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>TTokenClient</name>
    <message>
        <source>The token address must begin with https://</source>
        <translation>L&apos;adresse du jeton doit commencer par https://</translation>
    </message>
    <message>
        <source>The provider refused the sign-in (%1)</source>
        <translation>Le fournisseur a refusé la connexion (%1)</translation>
    </message>
    <message>
        <source>The provider could not be reached: %1</source>
        <translation>Le fournisseur n&apos;a pas pu être joint : %1</translation>
    </message>
</context>
<context>
    <name>TToolbarPanel</name>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Add a new account</source>
        <translation>Ajouter un nouveau compte</translation>
    </message>
    <message>
        <source>Delete selected account</source>
        <translation>Supprimer le compte sélectionné</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Relever</translation>
    </message>
    <message>
        <source>Check e-mail</source>
        <translation>Relever le courrier</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Remove selected e-mail from server</source>
        <translation>Supprimer du serveur le message sélectionné</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>En-têtes</translation>
    </message>
    <message>
        <source>Last refresh : </source>
        <translation>Dernière relève : </translation>
    </message>
    <message>
        <source>Marked</source>
        <translation>Marqués</translation>
    </message>
    <message>
        <source>Delete the mail marked by rules</source>
        <translation>Supprimer le courrier marqué par les règles</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>Add account</source>
        <translation>Ajouter un compte</translation>
    </message>
    <message>
        <source>Delete account</source>
        <translation>Supprimer le compte</translation>
    </message>
    <message>
        <source>Check mail</source>
        <translation>Relever le courrier</translation>
    </message>
    <message>
        <source>Delete mail</source>
        <translation>Supprimer le message</translation>
    </message>
    <message>
        <source>Show headers</source>
        <translation>Afficher les en-têtes</translation>
    </message>
    <message>
        <source>Marked (%1)</source>
        <translation>Marqués (%1)</translation>
    </message>
    <message numerus="yes">
        <source>%n marked for deletion</source>
        <translation>
            <numerusform>%n marqué pour suppression</numerusform>
            <numerusform>%n marqués pour suppression</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TUiGuard</name>
    <message>
        <source>Unknown failure</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>Tacc_info</name>
    <message>
        <source>A saved password is kept in the desktop&apos;s keyring.</source>
        <translation>Un mot de passe enregistré est conservé dans le trousseau de clés du bureau.</translation>
    </message>
    <message>
        <source>This desktop has no keyring: a saved password stays in mail.acc, scrambled but readable to anyone who can read that file.</source>
        <translation>Ce bureau n&apos;a pas de trousseau de clés : un mot de passe enregistré reste dans mail.acc, brouillé mais lisible par quiconque peut lire ce fichier.</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Account Name:</source>
        <translation>Nom du compte :</translation>
    </message>
    <message>
        <source>Mail Server :</source>
        <translation>Serveur :</translation>
    </message>
    <message>
        <source>User Login :</source>
        <translation>Identifiant :</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Timeout :</source>
        <translation>Délai :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Save password</source>
        <translation>Enregistrer le mot de passe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The password travels unprotected</source>
        <translation>Le mot de passe circule sans protection</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>Nom du compte</translation>
    </message>
    <message>
        <source>Mail server</source>
        <translation>Serveur de courrier</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sécurité</translation>
    </message>
    <message>
        <source>User login</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Timeout in seconds</source>
        <translation>Délai en secondes</translation>
    </message>
    <message>
        <source>Client id</source>
        <translation>Identifiant client</translation>
    </message>
    <message>
        <source>Authorization address</source>
        <translation>Adresse d&apos;autorisation</translation>
    </message>
    <message>
        <source>Token address</source>
        <translation>Adresse du jeton</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Portée</translation>
    </message>
    <message>
        <source>Sign-in :</source>
        <translation>Connexion :</translation>
    </message>
    <message>
        <source>Password (USER/PASS)</source>
        <translation>Mot de passe (USER/PASS)</translation>
    </message>
    <message>
        <source>Password (PLAIN)</source>
        <translation>Mot de passe (PLAIN)</translation>
    </message>
    <message>
        <source>Provider :</source>
        <translation>Fournisseur :</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>Sign in...</source>
        <translation>Se connecter...</translation>
    </message>
    <message>
        <source>Client id :</source>
        <translation>Id. client :</translation>
    </message>
    <message>
        <source>this program&apos;s own</source>
        <translation>celui de ce programme</translation>
    </message>
    <message>
        <source>Auth URL :</source>
        <translation>URL d&apos;autorisation :</translation>
    </message>
    <message>
        <source>Token URL :</source>
        <translation>URL du jeton :</translation>
    </message>
    <message>
        <source>Scope :</source>
        <translation>Portée :</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Stay signed in</source>
        <translation>Rester connecté</translation>
    </message>
    <message>
        <source>The sign-in did not succeed: %1</source>
        <translation>La connexion n&apos;a pas abouti : %1</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Connecté en tant que %1</translation>
    </message>
    <message>
        <source>host (port %1)</source>
        <translation>hôte (port %1)</translation>
    </message>
    <message>
        <source>A server, or host:port; without a port: %1</source>
        <translation>Un serveur, ou hôte:port ; sans port : %1</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>You have not specified an account name</source>
        <translation>Vous n&apos;avez pas indiqué de nom de compte</translation>
    </message>
    <message>
        <source>You already have an account with this name:<byte value="xd"/>
please choose a different name</source>
        <translation>Vous avez déjà un compte portant ce nom :<byte value="xd"/>
veuillez choisir un autre nom</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier des comptes</translation>
    </message>
</context>
<context>
    <name>Tpassword</name>
    <message>
        <source>POP Password</source>
        <translation>Mot de passe POP</translation>
    </message>
    <message>
        <source>Please enter your password : </source>
        <translation>Veuillez saisir votre mot de passe : </translation>
    </message>
    <message>
        <source>The server rejected the last password.</source>
        <translation>Le serveur a refusé le dernier mot de passe.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Account %1: user %2 on %3</source>
        <translation>Compte %1 : utilisateur %2 sur %3</translation>
    </message>
</context>
</TS>
