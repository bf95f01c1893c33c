<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
</TS>
