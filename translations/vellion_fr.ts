<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
</context>
</TS>
