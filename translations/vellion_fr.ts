<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TAccountTokens</name>
    <message>
        <source>Sign in again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAccountTree</name>
    <message>
        <source>Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2, %n new)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TAttemptSignIn</name>
    <message>
        <source>The access token could not be renewed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The provider no longer accepts this account&apos;s sign-in: use Sign in... in the account editor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBrowserSignIn</name>
    <message>
        <source>No client id is set for this provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The provider&apos;s addresses must begin with https://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The browser could not be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sign-in was refused: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The browser came back with an answer to another request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer came from the browser in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCertificateDialog</name>
    <message>
        <source>Certificate not trusted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It has changed since you trusted this server&apos;s certificate. Trust the new one only if you know why it changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issued to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issued by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid until:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-256 fingerprint:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trusting it means that this certificate is accepted for %1 from now on, without asking again. Cancel sends nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trust this certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCertificateTrust</name>
    <message>
        <source>The trusted certificate could not be saved in &quot;%1&quot;: it will be asked for again next time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCheckFailure</name>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mailbox is in use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server allows the next log-in only after a delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server has a passing problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server has a lasting problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the user name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Correct it in the account editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the sign-in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If this goes on, use Sign in... in the account editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved password was kept: correct it in the account editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will be asked for the password at the next check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account has no user name: enter one in the account editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account is not signed in: use Sign in... in the account editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No password was given: the next check asks for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user name or the password holds characters that cannot be sent to the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No address was found for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address of %1 was not found within %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connection could be made to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused to count the messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not greet as a POP3 server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server closed the connection during the log-in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent a line too long to read during the log-in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s count of messages could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was sent to the server. Check the server&apos;s name, and trust its certificate only if you know why it is not trusted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server offers only TLS versions older than 1.2, which are no longer safe, so no secure connection was made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator to turn on TLS 1.2 or later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the server&apos;s name and port: SSL/TLS is usually on port 995, STARTTLS on port 110.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose SSL/TLS on port 995 in the account editor, or ask the server&apos;s administrator to turn on STARTTLS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The log-in failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the message list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the header of message %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server closed the connection while sending the message list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server closed the connection while sending the header of message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused to send the message list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server refused to send the header of message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the message list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the header of message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent the message list in a form that could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent the header of message %1 in a form that could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the message list failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the header of message %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No message was read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 messages read.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TCheckRound</name>
    <message>
        <source>Not checked in the background: its password is not saved. Check it yourself, or save the password in the account editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not checked: no password was given.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TConfigFolder</name>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot use the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TDeletion</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That email no longer seems to exist. Re-check account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occured while connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One or more of the emails you selected is not longer on the server.
<byte value="xd"/>Please re-check this account and try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are about to delete multiple emails. Each one is checked first, and
<byte value="xd"/>one that has moved in the queue is kept. Are you sure you want to continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 of the %n emails you selected.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and was not deleted.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and were not deleted.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Please re-check this account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete email with the following details?
<byte value="xd"/>
<byte value="xd"/>Subject : %1
<byte value="xd"/>From : %2
<byte value="xd"/>Date : %3
<byte value="xd"/>Size : %4 KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the email marked for deletion by your rules?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Delete the %n emails marked for deletion by your rules?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Each one is checked first, and one that has moved in the queue is kept.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
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
        <translation>Erreur lors de l’enregistrement des paramètres</translation>
    </message>
    <message>
        <source>Error saving the start at log-in</source>
        <translation>Erreur lors de l’enregistrement du démarrage à la connexion</translation>
    </message>
    <message>
        <source>Delete Marked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail Rules...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished">Quitter</translation>
    </message>
    <message>
        <source>Error saving account information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving window settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete account &quot;%1&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error occured deleting acount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occured refreshing accounts: please restart program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No preview: the account&apos;s password is not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading the mail rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No email is marked for deletion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving the mail rules</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>THeaders</name>
    <message>
        <source>&amp;Raw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Headers</source>
        <translation type="unfinished">En-têtes</translation>
    </message>
    <message>
        <source>Message header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the header lines exactly as the server sent them (Alt+R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Headers - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKeyringOffer</name>
    <message>
        <source>Saved passwords are kept scrambled in mail.acc, which anyone who can read the file can undo. Move them into the desktop&apos;s keyring?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyring did not take every password: the others stay in mail.acc.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLoopbackListener</name>
    <message>
        <source>You may close this window and return to the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sign-in did not succeed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMailCheck</name>
    <message>
        <source>The server ended the log-in without an answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking mail account...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error destroying connection thread</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMailOperations</name>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error occured</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMailPreview</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMessageGrid</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MessageID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marked for deletion by a rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlighted by a rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignored by a rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TNewMailNotice</name>
    <message>
        <source>1 new message</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n new messages</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>(no sender)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no subject)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n new)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TPreviewPane</name>
    <message>
        <source>(unnamed %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview of the selected message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TRulesEditor</name>
    <message>
        <source>sender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>any header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>contains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mark for deletion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Any header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>matches (pattern)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark for deletion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules, tried in order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text, pattern or bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is never marked, one a line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is marked for deletion, one a line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>then</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow list (never marked):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block list (marked for deletion):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: if %2 %3 &quot;%4&quot; then %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (never applies)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A size rule needs &quot;Size&quot;, &quot;is above&quot; and a number of bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This rule could never apply: give a text, or a valid pattern.</source>
        <translation type="unfinished"></translation>
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
</context>
<context>
    <name>TSignInDialog</name>
    <message>
        <source>Sign in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in with your provider in the browser window that opened.
This window closes when the provider has answered.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TStart</name>
    <message>
        <source>Checks POP3 mailboxes without downloading the mail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the files in the user&apos;s configuration folder (as the menu entry does).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the files in &lt;folder&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start with only the tray icon (as at log-in).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TStatus</name>
    <message>
        <source>connecting to server ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TTokenClient</name>
    <message>
        <source>The token address must begin with https://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The provider refused the sign-in (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The provider could not be reached: %1</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the mail marked by rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show headers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marked (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n marked for deletion</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Tacc_info</name>
    <message>
        <source>A saved password is kept in the desktop&apos;s keyring.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop has no keyring: a saved password stays in mail.acc, scrambled but readable to anyone who can read that file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished">Compte</translation>
    </message>
    <message>
        <source>Account Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail Server :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Login :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password travels unprotected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Client id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authorization address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password (USER/PASS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password (PLAIN)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provider :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Client id :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this program&apos;s own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auth URL :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token URL :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scope :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stay signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sign-in did not succeed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host (port %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A server, or host:port; without a port: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have not specified an account name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You already have an account with this name:<byte value="xd"/>
please choose a different name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account %1: user %2 on %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
