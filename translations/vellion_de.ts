<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>TAccountTokens</name>
    <message>
        <source>Sign in again</source>
        <translation>Erneut anmelden</translation>
    </message>
</context>
<context>
    <name>TAccountTree</name>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2, %n new)</source>
        <translation>
            <numerusform>%1 (%2, %n neu)</numerusform>
            <numerusform>%1 (%2, %n neu)</numerusform>
        </translation>
    </message>
    <message>
        <source>No accounts created yet</source>
        <translation>Noch keine Konten angelegt</translation>
    </message>
</context>
<context>
    <name>TAccounts</name>
    <message>
        <source>An account with that name already exists</source>
        <translation>Ein Konto mit diesem Namen gibt es bereits</translation>
    </message>
    <message>
        <source>Part of the accounts file could not be read.</source>
        <translation>Ein Teil der Kontodatei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The accounts file was kept as &quot;%1&quot;.</source>
        <translation>Die Kontodatei wurde als &quot;%1&quot; aufbewahrt.</translation>
    </message>
    <message>
        <source>The accounts file could not be copied, so it will not be replaced until a copy can be made.</source>
        <translation>Die Kontodatei konnte nicht kopiert werden; sie wird daher erst ersetzt, wenn eine Kopie möglich ist.</translation>
    </message>
</context>
<context>
    <name>TAttemptSignIn</name>
    <message>
        <source>The access token could not be renewed</source>
        <translation>Das Zugriffstoken konnte nicht erneuert werden</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The provider no longer accepts this account&apos;s sign-in: use Sign in... in the account editor</source>
        <translation>Der Anbieter akzeptiert die Anmeldung dieses Kontos nicht mehr: verwenden Sie »Anmelden...« im Kontodialog</translation>
    </message>
</context>
<context>
    <name>TBrowserSignIn</name>
    <message>
        <source>No client id is set for this provider</source>
        <translation>Für diesen Anbieter ist keine Client-ID festgelegt</translation>
    </message>
    <message>
        <source>The provider&apos;s addresses must begin with https://</source>
        <translation>Die Adressen des Anbieters müssen mit https:// beginnen</translation>
    </message>
    <message>
        <source>The browser could not be opened</source>
        <translation>Der Browser konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The sign-in was refused: %1</source>
        <translation>Die Anmeldung wurde abgelehnt: %1</translation>
    </message>
    <message>
        <source>The browser came back with an answer to another request</source>
        <translation>Der Browser lieferte die Antwort auf eine andere Anfrage</translation>
    </message>
    <message>
        <source>No answer came from the browser in time</source>
        <translation>Vom Browser kam nicht rechtzeitig eine Antwort</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>TCertificateDialog</name>
    <message>
        <source>Certificate not trusted</source>
        <translation>Zertifikat nicht vertrauenswürdig</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted: %2.</source>
        <translation>Dem Zertifikat von %1 wird nicht vertraut: %2.</translation>
    </message>
    <message>
        <source>It has changed since you trusted this server&apos;s certificate. Trust the new one only if you know why it changed.</source>
        <translation>Es hat sich geändert, seit Sie dem Zertifikat dieses Servers vertraut haben. Vertrauen Sie dem neuen nur, wenn Sie wissen, warum es sich geändert hat.</translation>
    </message>
    <message>
        <source>Issued to:</source>
        <translation>Ausgestellt für:</translation>
    </message>
    <message>
        <source>Issued by:</source>
        <translation>Ausgestellt von:</translation>
    </message>
    <message>
        <source>Valid from:</source>
        <translation>Gültig ab:</translation>
    </message>
    <message>
        <source>Valid until:</source>
        <translation>Gültig bis:</translation>
    </message>
    <message>
        <source>SHA-256 fingerprint:</source>
        <translation>SHA-256-Fingerabdruck:</translation>
    </message>
    <message>
        <source>Trusting it means that this certificate is accepted for %1 from now on, without asking again. Cancel sends nothing.</source>
        <translation>Wenn Sie ihm vertrauen, wird dieses Zertifikat für %1 ab jetzt ohne weitere Nachfrage akzeptiert. »Abbrechen« sendet nichts.</translation>
    </message>
    <message>
        <source>Trust this certificate</source>
        <translation>Diesem Zertifikat vertrauen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TCertificateTrust</name>
    <message>
        <source>The trusted certificate could not be saved in &quot;%1&quot;: it will be asked for again next time</source>
        <translation>Das vertrauenswürdige Zertifikat konnte nicht in &quot;%1&quot; gespeichert werden: beim nächsten Mal wird erneut danach gefragt</translation>
    </message>
</context>
<context>
    <name>TCheckFailure</name>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation>Fehler bei der Anmeldung: prüfen Sie Ihre Benutzerdaten</translation>
    </message>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation>Fehler beim Verbinden mit dem Server: prüfen Sie Ihre Einstellungen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The mailbox is in use by another program</source>
        <translation>Das Postfach wird von einem anderen Programm verwendet</translation>
    </message>
    <message>
        <source>Try again later.</source>
        <translation>Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The server allows the next log-in only after a delay</source>
        <translation>Der Server erlaubt die nächste Anmeldung erst nach einer Wartezeit</translation>
    </message>
    <message>
        <source>The server has a passing problem</source>
        <translation>Der Server hat ein vorübergehendes Problem</translation>
    </message>
    <message>
        <source>The server has a lasting problem</source>
        <translation>Der Server hat ein dauerhaftes Problem</translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator.</source>
        <translation>Wenden Sie sich an den Administrator des Servers.</translation>
    </message>
    <message>
        <source>The server refused the user name</source>
        <translation>Der Server hat den Benutzernamen abgelehnt</translation>
    </message>
    <message>
        <source>Correct it in the account editor.</source>
        <translation>Korrigieren Sie ihn im Kontodialog.</translation>
    </message>
    <message>
        <source>The server refused the sign-in</source>
        <translation>Der Server hat die Anmeldung abgelehnt</translation>
    </message>
    <message>
        <source>If this goes on, use Sign in... in the account editor.</source>
        <translation>Wenn das so bleibt, verwenden Sie »Anmelden...« im Kontodialog.</translation>
    </message>
    <message>
        <source>The server refused the password</source>
        <translation>Der Server hat das Passwort abgelehnt</translation>
    </message>
    <message>
        <source>The saved password was kept: correct it in the account editor.</source>
        <translation>Das gespeicherte Passwort wurde behalten: korrigieren Sie es im Kontodialog.</translation>
    </message>
    <message>
        <source>You will be asked for the password at the next check.</source>
        <translation>Beim nächsten Abruf werden Sie nach dem Passwort gefragt.</translation>
    </message>
    <message>
        <source>The account has no user name: enter one in the account editor</source>
        <translation>Das Konto hat keinen Benutzernamen: geben Sie einen im Kontodialog ein</translation>
    </message>
    <message>
        <source>The account is not signed in: use Sign in... in the account editor</source>
        <translation>Das Konto ist nicht angemeldet: verwenden Sie »Anmelden...« im Kontodialog</translation>
    </message>
    <message>
        <source>No password was given: the next check asks for it</source>
        <translation>Es wurde kein Passwort angegeben: der nächste Abruf fragt danach</translation>
    </message>
    <message>
        <source>The user name or the password holds characters that cannot be sent to the server</source>
        <translation>Der Benutzername oder das Passwort enthält Zeichen, die nicht an den Server gesendet werden können</translation>
    </message>
    <message>
        <source>The server did not answer within %1</source>
        <translation>Der Server hat nicht innerhalb von %1 geantwortet</translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation>Ungültiger Server angegeben: prüfen Sie Ihre Einstellungen</translation>
    </message>
    <message>
        <source>No address was found for %1</source>
        <translation>Für %1 wurde keine Adresse gefunden</translation>
    </message>
    <message>
        <source>The address of %1 was not found within %2</source>
        <translation>Die Adresse von %1 wurde nicht innerhalb von %2 gefunden</translation>
    </message>
    <message>
        <source>No connection could be made to %1</source>
        <translation>Es konnte keine Verbindung zu %1 hergestellt werden</translation>
    </message>
    <message>
        <source>The server refused to count the messages</source>
        <translation>Der Server hat das Zählen der Nachrichten verweigert</translation>
    </message>
    <message>
        <source>The server refused the connection</source>
        <translation>Der Server hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>The server did not greet as a POP3 server</source>
        <translation>Der Server hat sich nicht als POP3-Server gemeldet</translation>
    </message>
    <message>
        <source>The server closed the connection during the log-in</source>
        <translation>Der Server hat die Verbindung während der Anmeldung geschlossen</translation>
    </message>
    <message>
        <source>The server sent a line too long to read during the log-in</source>
        <translation>Der Server hat während der Anmeldung eine zu lange Zeile gesendet</translation>
    </message>
    <message>
        <source>The server&apos;s count of messages could not be read</source>
        <translation>Die Nachrichtenanzahl des Servers konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Nothing was sent to the server. Check the server&apos;s name, and trust its certificate only if you know why it is not trusted.</source>
        <translation>Es wurde nichts an den Server gesendet. Prüfen Sie den Namen des Servers, und vertrauen Sie seinem Zertifikat nur, wenn Sie wissen, warum ihm nicht vertraut wird.</translation>
    </message>
    <message>
        <source>The server offers only TLS versions older than 1.2, which are no longer safe, so no secure connection was made</source>
        <translation>Der Server bietet nur TLS-Versionen älter als 1.2 an, die nicht mehr sicher sind; deshalb wurde keine sichere Verbindung hergestellt</translation>
    </message>
    <message>
        <source>Ask the server&apos;s administrator to turn on TLS 1.2 or later.</source>
        <translation>Bitten Sie den Administrator des Servers, TLS 1.2 oder neuer einzuschalten.</translation>
    </message>
    <message>
        <source>Check the server&apos;s name and port: SSL/TLS is usually on port 995, STARTTLS on port 110.</source>
        <translation>Prüfen Sie Namen und Port des Servers: SSL/TLS läuft meist auf Port 995, STARTTLS auf Port 110.</translation>
    </message>
    <message>
        <source>Choose SSL/TLS on port 995 in the account editor, or ask the server&apos;s administrator to turn on STARTTLS.</source>
        <translation>Wählen Sie im Kontodialog SSL/TLS auf Port 995, oder bitten Sie den Administrator des Servers, STARTTLS einzuschalten.</translation>
    </message>
    <message>
        <source>The log-in failed</source>
        <translation>Die Anmeldung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the message list</source>
        <translation>Der Server hat beim Senden der Nachrichtenliste nicht innerhalb von %1 geantwortet</translation>
    </message>
    <message>
        <source>The server did not answer within %1 while sending the header of message %2</source>
        <translation>Der Server hat beim Senden der Kopfzeilen von Nachricht %2 nicht innerhalb von %1 geantwortet</translation>
    </message>
    <message>
        <source>The server closed the connection while sending the message list</source>
        <translation>Der Server hat die Verbindung beim Senden der Nachrichtenliste geschlossen</translation>
    </message>
    <message>
        <source>The server closed the connection while sending the header of message %1</source>
        <translation>Der Server hat die Verbindung beim Senden der Kopfzeilen von Nachricht %1 geschlossen</translation>
    </message>
    <message>
        <source>The server refused to send the message list</source>
        <translation>Der Server hat das Senden der Nachrichtenliste verweigert</translation>
    </message>
    <message>
        <source>The server refused to send the header of message %1</source>
        <translation>Der Server hat das Senden der Kopfzeilen von Nachricht %1 verweigert</translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the message list</source>
        <translation>Der Server hat in der Nachrichtenliste eine zu lange Zeile gesendet</translation>
    </message>
    <message>
        <source>The server sent a line too long to read in the header of message %1</source>
        <translation>Der Server hat in den Kopfzeilen von Nachricht %1 eine zu lange Zeile gesendet</translation>
    </message>
    <message>
        <source>The server sent the message list in a form that could not be read</source>
        <translation>Der Server hat die Nachrichtenliste in einer unlesbaren Form gesendet</translation>
    </message>
    <message>
        <source>The server sent the header of message %1 in a form that could not be read</source>
        <translation>Der Server hat die Kopfzeilen von Nachricht %1 in einer unlesbaren Form gesendet</translation>
    </message>
    <message>
        <source>Reading the message list failed</source>
        <translation>Das Lesen der Nachrichtenliste ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Reading the header of message %1 failed</source>
        <translation>Das Lesen der Kopfzeilen von Nachricht %1 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>No message was read.</source>
        <translation>Es wurde keine Nachricht gelesen.</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 messages read.</source>
        <translation>
            <numerusform>%n von %1 Nachrichten gelesen.</numerusform>
            <numerusform>%n von %1 Nachrichten gelesen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TCheckRound</name>
    <message>
        <source>Not checked in the background: its password is not saved. Check it yourself, or save the password in the account editor.</source>
        <translation>Im Hintergrund nicht abgerufen: das Passwort ist nicht gespeichert. Rufen Sie das Konto selbst ab, oder speichern Sie das Passwort im Kontodialog.</translation>
    </message>
    <message>
        <source>Not checked: no password was given.</source>
        <translation>Nicht abgerufen: es wurde kein Passwort angegeben.</translation>
    </message>
</context>
<context>
    <name>TConfigFolder</name>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot use the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht verwendet werden: %2</translation>
    </message>
</context>
<context>
    <name>TDeletion</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation>Diese E-Mail hat ihren Platz in der Liste gewechselt, bitte rufen Sie dieses Konto erneut ab</translation>
    </message>
    <message>
        <source>That email no longer seems to exist. Re-check account</source>
        <translation>Diese E-Mail scheint nicht mehr zu existieren. Rufen Sie das Konto erneut ab</translation>
    </message>
    <message>
        <source>An error occured while connecting</source>
        <translation>Beim Verbinden ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>One or more of the emails you selected is not longer on the server.
<byte value="xd"/>Please re-check this account and try again</source>
        <translation>Eine oder mehrere der ausgewählten E-Mails sind nicht mehr auf dem Server.
<byte value="xd"/>Bitte rufen Sie dieses Konto erneut ab und versuchen Sie es noch einmal</translation>
    </message>
    <message>
        <source>You are about to delete multiple emails. Each one is checked first, and
<byte value="xd"/>one that has moved in the queue is kept. Are you sure you want to continue?</source>
        <translation>Sie sind dabei, mehrere E-Mails zu löschen. Jede wird vorher geprüft, und
<byte value="xd"/>eine, die ihren Platz in der Liste gewechselt hat, wird behalten. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %1 of the %n emails you selected.</source>
        <translation>
            <numerusform>%1 von %n ausgewählten E-Mail gelöscht.</numerusform>
            <numerusform>%1 von %n ausgewählten E-Mails gelöscht.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and was not deleted.</source>
        <translation>
            <numerusform>%n hatte den Platz in der Liste gewechselt und wurde nicht gelöscht.</numerusform>
            <numerusform>%n hatten den Platz in der Liste gewechselt und wurden nicht gelöscht.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had moved in the queue and were not deleted.</source>
        <translation>
            <numerusform>%n hatte den Platz in der Liste gewechselt und wurde nicht gelöscht.</numerusform>
            <numerusform>%n hatten den Platz in der Liste gewechselt und wurden nicht gelöscht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Please re-check this account</source>
        <translation>Bitte rufen Sie dieses Konto erneut ab</translation>
    </message>
    <message>
        <source>Delete email with the following details?
<byte value="xd"/>
<byte value="xd"/>Subject : %1
<byte value="xd"/>From : %2
<byte value="xd"/>Date : %3
<byte value="xd"/>Size : %4 KB</source>
        <translation>E-Mail mit den folgenden Angaben löschen?
<byte value="xd"/>
<byte value="xd"/>Betreff : %1
<byte value="xd"/>Von : %2
<byte value="xd"/>Datum : %3
<byte value="xd"/>Größe : %4 KB</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Delete the email marked for deletion by your rules?</source>
        <translation>Die von Ihren Regeln zum Löschen markierte E-Mail löschen?</translation>
    </message>
    <message numerus="yes">
        <source>Delete the %n emails marked for deletion by your rules?</source>
        <translation>
            <numerusform>Die %n von Ihren Regeln zum Löschen markierte E-Mail löschen?</numerusform>
            <numerusform>Die %n von Ihren Regeln zum Löschen markierten E-Mails löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Each one is checked first, and one that has moved in the queue is kept.</source>
        <translation>Jede wird vorher geprüft, und eine, die ihren Platz in der Liste gewechselt hat, wird behalten.</translation>
    </message>
</context>
<context>
    <name>TDesktopNotifier</name>
    <message>
        <source>Show Vellion</source>
        <translation>Vellion anzeigen</translation>
    </message>
    <message>
        <source>Check all accounts</source>
        <translation>Alle Konten abrufen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Erneut abrufen</translation>
    </message>
    <message numerus="yes">
        <source>Vellion: %n new</source>
        <translation>
            <numerusform>Vellion: %n neu</numerusform>
            <numerusform>Vellion: %n neu</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Add Account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>Konto entfernen</translation>
    </message>
    <message>
        <source>Modify Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>Check All Accounts</source>
        <translation>Alle Konten abrufen</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>Kopfzeilen</translation>
    </message>
    <message>
        <source>; every account: </source>
        <translation>; alle Konten: </translation>
    </message>
    <message>
        <source>Error saving the settings</source>
        <translation>Fehler beim Speichern der Einstellungen</translation>
    </message>
    <message>
        <source>Error saving the start at log-in</source>
        <translation>Fehler beim Speichern des Starts bei der Anmeldung</translation>
    </message>
    <message>
        <source>Delete Marked</source>
        <translation>Markierte löschen</translation>
    </message>
    <message>
        <source>Mail Rules...</source>
        <translation>E-Mail-Regeln...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Error saving account information</source>
        <translation>Fehler beim Speichern der Kontoinformationen</translation>
    </message>
    <message>
        <source>Error saving window settings</source>
        <translation>Fehler beim Speichern der Fenstereinstellungen</translation>
    </message>
    <message>
        <source>No accounts exist</source>
        <translation>Es gibt keine Konten</translation>
    </message>
    <message>
        <source>Delete account &quot;%1&quot;?</source>
        <translation>Konto &quot;%1&quot; löschen?</translation>
    </message>
    <message>
        <source>Error occured deleting acount</source>
        <translation>Fehler beim Löschen des Kontos</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Fehler beim Speichern der Kontodatei</translation>
    </message>
    <message>
        <source>An error occured refreshing accounts: please restart program</source>
        <translation>Beim Aktualisieren der Konten ist ein Fehler aufgetreten: bitte starten Sie das Programm neu</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Keine Vorschau: %1</translation>
    </message>
    <message>
        <source>No preview: the account&apos;s password is not known</source>
        <translation>Keine Vorschau: das Passwort des Kontos ist nicht bekannt</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>Wird gelesen...</translation>
    </message>
    <message>
        <source>Error reading the mail rules</source>
        <translation>Fehler beim Lesen der E-Mail-Regeln</translation>
    </message>
    <message>
        <source>No email is marked for deletion</source>
        <translation>Keine E-Mail ist zum Löschen markiert</translation>
    </message>
    <message>
        <source>Error saving the mail rules</source>
        <translation>Fehler beim Speichern der E-Mail-Regeln</translation>
    </message>
</context>
<context>
    <name>THeaders</name>
    <message>
        <source>&amp;Raw</source>
        <translation>&amp;Rohform</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>Kopfzeilen</translation>
    </message>
    <message>
        <source>Message header</source>
        <translation>Kopfzeilen der Nachricht</translation>
    </message>
    <message>
        <source>Show the header lines exactly as the server sent them (Alt+R)</source>
        <translation>Die Kopfzeilen genau so zeigen, wie der Server sie gesendet hat (Alt+R)</translation>
    </message>
    <message>
        <source>Headers - %1</source>
        <translation>Kopfzeilen - %1</translation>
    </message>
</context>
<context>
    <name>TKeyringOffer</name>
    <message>
        <source>Saved passwords are kept scrambled in mail.acc, which anyone who can read the file can undo. Move them into the desktop&apos;s keyring?</source>
        <translation>Gespeicherte Passwörter liegen verschleiert in mail.acc, was jeder, der die Datei lesen kann, rückgängig machen kann. Sollen sie in den Schlüsselbund der Arbeitsfläche verschoben werden?</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Fehler beim Speichern der Kontodatei</translation>
    </message>
    <message>
        <source>The keyring did not take every password: the others stay in mail.acc.</source>
        <translation>Der Schlüsselbund hat nicht alle Passwörter übernommen: die übrigen bleiben in mail.acc.</translation>
    </message>
</context>
<context>
    <name>TLoopbackListener</name>
    <message>
        <source>You may close this window and return to the program.</source>
        <translation>Sie können dieses Fenster schließen und zum Programm zurückkehren.</translation>
    </message>
    <message>
        <source>The sign-in did not succeed.</source>
        <translation>Die Anmeldung ist nicht gelungen.</translation>
    </message>
</context>
<context>
    <name>TMailCheck</name>
    <message>
        <source>The server ended the log-in without an answer</source>
        <translation>Der Server hat die Anmeldung ohne Antwort beendet</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Verbindung zu %1 wird hergestellt</translation>
    </message>
    <message>
        <source>Checking mail account...</source>
        <translation>E-Mail-Konto wird abgerufen...</translation>
    </message>
    <message>
        <source>Error destroying connection thread</source>
        <translation>Fehler beim Beenden des Verbindungs-Threads</translation>
    </message>
</context>
<context>
    <name>TMailOperations</name>
    <message>
        <source>Error connecting to server: check your settings</source>
        <translation>Fehler beim Verbinden mit dem Server: prüfen Sie Ihre Einstellungen</translation>
    </message>
    <message>
        <source>Invalid host specified: check your settings</source>
        <translation>Ungültiger Server angegeben: prüfen Sie Ihre Einstellungen</translation>
    </message>
    <message>
        <source>Error authenticating: check your user details</source>
        <translation>Fehler bei der Anmeldung: prüfen Sie Ihre Benutzerdaten</translation>
    </message>
    <message>
        <source>Error occured</source>
        <translation>Ein Fehler ist aufgetreten</translation>
    </message>
</context>
<context>
    <name>TMailPreview</name>
    <message>
        <source>That email has moved in the queue, please re-check this account</source>
        <translation>Diese E-Mail hat ihren Platz in der Liste gewechselt, bitte rufen Sie dieses Konto erneut ab</translation>
    </message>
</context>
<context>
    <name>TMessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TMessageGrid</name>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation>Größe (KB)</translation>
    </message>
    <message>
        <source>MessageID</source>
        <translation>Nachrichten-ID</translation>
    </message>
    <message>
        <source>Marked for deletion by a rule</source>
        <translation>Von einer Regel zum Löschen markiert</translation>
    </message>
    <message>
        <source>Highlighted by a rule</source>
        <translation>Von einer Regel hervorgehoben</translation>
    </message>
    <message>
        <source>Ignored by a rule</source>
        <translation>Von einer Regel ignoriert</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
</context>
<context>
    <name>TNewMailNotice</name>
    <message>
        <source>1 new message</source>
        <translation>1 neue Nachricht</translation>
    </message>
    <message numerus="yes">
        <source>%n new messages</source>
        <translation>
            <numerusform>%n neue Nachricht</numerusform>
            <numerusform>%n neue Nachrichten</numerusform>
        </translation>
    </message>
    <message>
        <source>(no sender)</source>
        <translation>(kein Absender)</translation>
    </message>
    <message>
        <source>(no subject)</source>
        <translation>(kein Betreff)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n new)</source>
        <translation>
            <numerusform>%1 (%n neu)</numerusform>
            <numerusform>%1 (%n neu)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weitere</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TPreviewPane</name>
    <message>
        <source>(unnamed %1)</source>
        <translation>(unbenannt, %1)</translation>
    </message>
    <message>
        <source>Preview of the selected message</source>
        <translation>Vorschau der ausgewählten Nachricht</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Anhänge: %1</translation>
    </message>
</context>
<context>
    <name>TRulesEditor</name>
    <message>
        <source>sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>any header</source>
        <translation>eine Kopfzeile</translation>
    </message>
    <message>
        <source>size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>enthält</translation>
    </message>
    <message>
        <source>matches</source>
        <translation>passt auf</translation>
    </message>
    <message>
        <source>is above</source>
        <translation>ist größer als</translation>
    </message>
    <message>
        <source>mark for deletion</source>
        <translation>zum Löschen markieren</translation>
    </message>
    <message>
        <source>highlight</source>
        <translation>hervorheben</translation>
    </message>
    <message>
        <source>ignore</source>
        <translation>ignorieren</translation>
    </message>
    <message>
        <source>Every account</source>
        <translation>Alle Konten</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Any header</source>
        <translation>Beliebige Kopfzeile</translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation>Größe (Bytes)</translation>
    </message>
    <message>
        <source>matches (pattern)</source>
        <translation>passt auf (Muster)</translation>
    </message>
    <message>
        <source>Mark for deletion</source>
        <translation>Zum Löschen markieren</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Hervorheben</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Mail Rules</source>
        <translation>E-Mail-Regeln</translation>
    </message>
    <message>
        <source>Rules, tried in order</source>
        <translation>Regeln, der Reihe nach geprüft</translation>
    </message>
    <message>
        <source>text, pattern or bytes</source>
        <translation>Text, Muster oder Bytes</translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is never marked, one a line</source>
        <translation>E-Mail von diesen Adressen oder Domains wird nie markiert, eine pro Zeile</translation>
    </message>
    <message>
        <source>Mail from these addresses or domains is marked for deletion, one a line</source>
        <translation>E-Mail von diesen Adressen oder Domains wird zum Löschen markiert, eine pro Zeile</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>If</source>
        <translation>Wenn</translation>
    </message>
    <message>
        <source>then</source>
        <translation>dann</translation>
    </message>
    <message>
        <source>Allow list (never marked):</source>
        <translation>Erlaubt (nie markiert):</translation>
    </message>
    <message>
        <source>Block list (marked for deletion):</source>
        <translation>Gesperrt (zum Löschen markiert):</translation>
    </message>
    <message>
        <source>Account %1</source>
        <translation>Konto %1</translation>
    </message>
    <message>
        <source>%1: if %2 %3 &quot;%4&quot; then %5</source>
        <translation>%1: wenn %2 %3 &quot;%4&quot;, dann %5</translation>
    </message>
    <message>
        <source> (never applies)</source>
        <translation> (greift nie)</translation>
    </message>
    <message>
        <source>A size rule needs &quot;Size&quot;, &quot;is above&quot; and a number of bytes.</source>
        <translation>Eine Größenregel braucht &quot;Größe (Bytes)&quot;, &quot;ist größer als&quot; und eine Anzahl Bytes.</translation>
    </message>
    <message>
        <source>This rule could never apply: give a text, or a valid pattern.</source>
        <translation>Diese Regel könnte nie greifen: geben Sie einen Text oder ein gültiges Muster an.</translation>
    </message>
</context>
<context>
    <name>TSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <source>Check every account in the background every</source>
        <translation>Alle Konten im Hintergrund abrufen, alle</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <source>Accounts that Check All and the periodic check take:</source>
        <translation>Konten, die „Alle Konten abrufen“ und der regelmäßige Abruf einschließen:</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Arbeitsfläche</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Beim Schließen des Fensters im Systembereich weiterlaufen</translation>
    </message>
    <message>
        <source>Show a notice of new mail</source>
        <translation>Bei neuer Post eine Benachrichtigung zeigen</translation>
    </message>
    <message>
        <source>Play a sound with the notice</source>
        <translation>Mit der Benachrichtigung einen Klang abspielen</translation>
    </message>
    <message>
        <source>Start at log-in</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Start in the tray</source>
        <translation>Im Systembereich starten</translation>
    </message>
    <message>
        <source>Minutes between checks</source>
        <translation>Minuten zwischen den Abrufen</translation>
    </message>
    <message>
        <source>Lines of each message:</source>
        <translation>Zeilen jeder Nachricht:</translation>
    </message>
    <message>
        <source>Preview while checking</source>
        <translation>Vorschau beim Abrufen</translation>
    </message>
    <message>
        <source>Each check reads these lines of every message with its header</source>
        <translation>Jeder Abruf liest diese Zeilen jeder Nachricht mit ihrem Kopf</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Accounts in rounds</source>
        <translation>Konten in den Runden</translation>
    </message>
    <message>
        <source>Selected account:</source>
        <translation>Gewähltes Konto:</translation>
    </message>
    <message>
        <source>As set above</source>
        <translation>Wie oben eingestellt</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>How often the periodic check takes the account selected above</source>
        <translation>Wie oft der regelmäßige Abruf das oben gewählte Konto abruft</translation>
    </message>
    <message>
        <source>Minutes between the account&apos;s checks</source>
        <translation>Minuten zwischen den Abrufen des Kontos</translation>
    </message>
</context>
<context>
    <name>TSignInDialog</name>
    <message>
        <source>Sign in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Sign in with your provider in the browser window that opened.
This window closes when the provider has answered.</source>
        <translation>Melden Sie sich im geöffneten Browserfenster bei Ihrem Anbieter an.
Dieses Fenster schließt sich, sobald der Anbieter geantwortet hat.</translation>
    </message>
</context>
<context>
    <name>TStart</name>
    <message>
        <source>Checks POP3 mailboxes without downloading the mail.</source>
        <translation>Prüft POP3-Postfächer, ohne die E-Mails herunterzuladen.</translation>
    </message>
    <message>
        <source>Keep the files in the user&apos;s configuration folder (as the menu entry does).</source>
        <translation>Die Dateien im Konfigurationsordner des Benutzers ablegen (wie der Menüeintrag).</translation>
    </message>
    <message>
        <source>Keep the files in &lt;folder&gt;.</source>
        <translation>Die Dateien in &lt;Ordner&gt; ablegen.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Start with only the tray icon (as at log-in).</source>
        <translation>Nur mit dem Symbol im Systembereich starten (wie bei der Anmeldung).</translation>
    </message>
</context>
<context>
    <name>TStatus</name>
    <message>
        <source>connecting to server ...</source>
        <translation>Verbindung zum Server wird hergestellt ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TTokenClient</name>
    <message>
        <source>The token address must begin with https://</source>
        <translation>Die Token-Adresse muss mit https:// beginnen</translation>
    </message>
    <message>
        <source>The provider refused the sign-in (%1)</source>
        <translation>Der Anbieter hat die Anmeldung abgelehnt (%1)</translation>
    </message>
    <message>
        <source>The provider could not be reached: %1</source>
        <translation>Der Anbieter war nicht erreichbar: %1</translation>
    </message>
</context>
<context>
    <name>TToolbarPanel</name>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Add a new account</source>
        <translation>Ein neues Konto hinzufügen</translation>
    </message>
    <message>
        <source>Delete selected account</source>
        <translation>Ausgewähltes Konto löschen</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <source>Check e-mail</source>
        <translation>E-Mail abrufen</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Remove selected e-mail from server</source>
        <translation>Ausgewählte E-Mail vom Server entfernen</translation>
    </message>
    <message>
        <source>Headers</source>
        <translation>Kopfzeilen</translation>
    </message>
    <message>
        <source>Last refresh : </source>
        <translation>Letzter Abruf : </translation>
    </message>
    <message>
        <source>Marked</source>
        <translation>Markiert</translation>
    </message>
    <message>
        <source>Delete the mail marked by rules</source>
        <translation>Die von Regeln markierten E-Mails löschen</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keiner)</translation>
    </message>
    <message>
        <source>Add account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Delete account</source>
        <translation>Konto löschen</translation>
    </message>
    <message>
        <source>Check mail</source>
        <translation>E-Mail abrufen</translation>
    </message>
    <message>
        <source>Delete mail</source>
        <translation>E-Mail löschen</translation>
    </message>
    <message>
        <source>Show headers</source>
        <translation>Kopfzeilen zeigen</translation>
    </message>
    <message>
        <source>Marked (%1)</source>
        <translation>Markiert (%1)</translation>
    </message>
    <message numerus="yes">
        <source>%n marked for deletion</source>
        <translation>
            <numerusform>%n zum Löschen markiert</numerusform>
            <numerusform>%n zum Löschen markiert</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TUiGuard</name>
    <message>
        <source>Unknown failure</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Tacc_info</name>
    <message>
        <source>A saved password is kept in the desktop&apos;s keyring.</source>
        <translation>Ein gespeichertes Passwort wird im Schlüsselbund der Arbeitsfläche aufbewahrt.</translation>
    </message>
    <message>
        <source>This desktop has no keyring: a saved password stays in mail.acc, scrambled but readable to anyone who can read that file.</source>
        <translation>Diese Arbeitsfläche hat keinen Schlüsselbund: ein gespeichertes Passwort bleibt in mail.acc, verschleiert, aber lesbar für jeden, der diese Datei lesen kann.</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Account Name:</source>
        <translation>Kontoname:</translation>
    </message>
    <message>
        <source>Mail Server :</source>
        <translation>Mailserver :</translation>
    </message>
    <message>
        <source>User Login :</source>
        <translation>Benutzername :</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Passwort :</translation>
    </message>
    <message>
        <source>Timeout :</source>
        <translation>Zeitlimit :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Save password</source>
        <translation>Passwort speichern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The password travels unprotected</source>
        <translation>Das Passwort wird ungeschützt übertragen</translation>
    </message>
    <message>
        <source>Account name</source>
        <translation>Kontoname</translation>
    </message>
    <message>
        <source>Mail server</source>
        <translation>Mailserver</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>User login</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Timeout in seconds</source>
        <translation>Zeitlimit in Sekunden</translation>
    </message>
    <message>
        <source>Client id</source>
        <translation>Client-ID</translation>
    </message>
    <message>
        <source>Authorization address</source>
        <translation>Autorisierungsadresse</translation>
    </message>
    <message>
        <source>Token address</source>
        <translation>Token-Adresse</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Sign-in :</source>
        <translation>Anmeldung :</translation>
    </message>
    <message>
        <source>Password (USER/PASS)</source>
        <translation>Passwort (USER/PASS)</translation>
    </message>
    <message>
        <source>Password (PLAIN)</source>
        <translation>Passwort (PLAIN)</translation>
    </message>
    <message>
        <source>Provider :</source>
        <translation>Anbieter :</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Andere</translation>
    </message>
    <message>
        <source>Sign in...</source>
        <translation>Anmelden...</translation>
    </message>
    <message>
        <source>Client id :</source>
        <translation>Client-ID :</translation>
    </message>
    <message>
        <source>this program&apos;s own</source>
        <translation>die dieses Programms</translation>
    </message>
    <message>
        <source>Auth URL :</source>
        <translation>Auth-URL :</translation>
    </message>
    <message>
        <source>Token URL :</source>
        <translation>Token-URL :</translation>
    </message>
    <message>
        <source>Scope :</source>
        <translation>Bereich :</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>Stay signed in</source>
        <translation>Angemeldet bleiben</translation>
    </message>
    <message>
        <source>The sign-in did not succeed: %1</source>
        <translation>Die Anmeldung ist nicht gelungen: %1</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Angemeldet als %1</translation>
    </message>
    <message>
        <source>host (port %1)</source>
        <translation>Server (Port %1)</translation>
    </message>
    <message>
        <source>A server, or host:port; without a port: %1</source>
        <translation>Ein Server oder Server:Port; ohne Port: %1</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>Angemeldet</translation>
    </message>
    <message>
        <source>You have not specified an account name</source>
        <translation>Sie haben keinen Kontonamen angegeben</translation>
    </message>
    <message>
        <source>You already have an account with this name:<byte value="xd"/>
please choose a different name</source>
        <translation>Sie haben bereits ein Konto mit diesem Namen:<byte value="xd"/>
bitte wählen Sie einen anderen Namen</translation>
    </message>
    <message>
        <source>Error saving accounts file</source>
        <translation>Fehler beim Speichern der Kontodatei</translation>
    </message>
</context>
<context>
    <name>Tpassword</name>
    <message>
        <source>POP Password</source>
        <translation>POP-Passwort</translation>
    </message>
    <message>
        <source>Please enter your password : </source>
        <translation>Bitte geben Sie Ihr Passwort ein : </translation>
    </message>
    <message>
        <source>The server rejected the last password.</source>
        <translation>Der Server hat das letzte Passwort abgelehnt.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Account %1: user %2 on %3</source>
        <translation>Konto %1: Benutzer %2 auf %3</translation>
    </message>
</context>
</TS>
