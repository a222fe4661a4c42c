#include "utility/IndexTexts.h"

#include "platform/Windows1252.h"

#include <cstdio>

namespace utility {

namespace {

// The texts are written here in UTF-8 for reading; the program keeps them in Windows-1252.
std::string Ansi(const char* utf8)
{
    return platform::UnicodeToAnsiOrEmpty(QString::fromUtf8(utf8));
}

struct TTextPair {
    const char* Name;
    const char* Caption;
    const char* Hint;
};

// Controls that share the texts of a menu item.
struct TTextCopy {
    const char* Name;
    const char* Source;
};

constexpr TTextCopy SharedTexts[] = {
    {"btnInformation", "mnuHelpDictionaryInfo"},
    {"btnQuit", "mnuFileQuit"},
    {"btnEditorSave", "mnuFileSave"},
    {"btnEditorClose", "mnuFileClose"},
};

constexpr TTextPair FrenchControls[] = {
    {"mnuFile", "&Fichier", "Menu fichier."},
    {"mnuFileNew", "&Nouveau", "Créer un nouveau dictionnaire."},
    {"mnuFileOpen", "&Ouvrir", "Ouvrir un dictionnaire."},
    {"mnuFileModify", "&Modifier", "Modifier un dictionnaire."},
    {"mnuFileSave", "&Sauver", "Sauvegarder le dictionnaire."},
    {"mnuFileClose", "F&ermer", "Fermer l'éditeur de dictionnaire."},
    {"mnuFileQuit", "&Quitter", "Quitter le programme."},
    {"mnuHelp", "&?", "Menu d'aide."},
    {"mnuHelpAbout", "&A propos de ...", "Informations sur le programme."},
    {"mnuHelpDictionaryInfo", "&Informations", "Affiche les informations sur le dictionnaire"},
    {"mnuHtmlCut", "Cou&per", "Couper le texte sélectionné"},
    {"mnuHtmlCopy", "&Copier tout", "Copier tout le texte dans le presse-papier"},
    {"mnuHtmlCopySelection", "Copier la &selection", "Copier le texte selectionné dans le presse-papier"},
    {"mnuHtmlPaste", "Co&ller", "Coller le contenu du presse-papier"},
    {"btnAddWord", "&Ajouter le mot au dictionnaire", "Ajoute le mot et la définition au dictionnaire."},
    {"btnModify", "&Modifier le dictionnaire", "Modifier le dictionnaire courant."},
    {"chkAutoLexorim", "&Créer l'index automatiquement", "Génération automatique de l'index du dictionnaire."},
    {"btnLexorim", "Créer l'&index maintenant", "Génération de l'index du dictionnaire."},
    {"lblSearch", "&Rechercher", "Entrez le mot à rechercher."},
    {"edtList", "", "Entrez le mot à rechercher."},
    {"lblAdd", "&Ajouter un mot", "Saisissez le mot à ajouter."},
    {"edtAddWord", "", "Saisissez le mot à ajouter."},
    {"memoAddWordDef", "", "Saisissez la définition du mot."},
    {"lblInfo", "Aide:", ""},
};

constexpr TTextPair EnglishControls[] = {
    {"mnuFile", "&File", "File menu."},
    {"mnuFileNew", "&New", "Create a new dictionary."},
    {"mnuFileOpen", "&Open", "Open a dictionary."},
    {"mnuFileModify", "&Modify", "Modify a dictionary."},
    {"mnuFileSave", "&Save  ", "Save the dictionary."},
    {"mnuFileClose", "Clos&e ", "Close the dictionary editor."},
    {"mnuFileQuit", "&Quit", "Quit the software."},
    {"mnuHelp", "&?", "Help menu."},
    {"mnuHelpAbout", "&About ...", "Information about the software."},
    {"mnuHelpDictionaryInfo", "&Information", "Display information about the dictionary"},
    {"mnuHtmlCut", "C&ut", "Cut the selected text into the clipboard"},
    {"mnuHtmlCopy", "&Copy all", "Copy all the text into the clipboard"},
    {"mnuHtmlCopySelection", "Copy &selection", "Copy the selected text into the clipboard"},
    {"mnuHtmlPaste", "&Paste", "Paste the clipboard content"},
    {"btnAddWord", "&Add the word to the dictionary", "Add the word and the definition to the dictionary."},
    {"btnModify", "&Modify the dictionary", "Modifiy the current dictionary."},
    {"chkAutoLexorim", "Automatic index &creation", "Automatic creation of the index of the dictionary."},
    {"btnLexorim", "&Lexorim now!", "Creation of the index of the dictionary."},
    {"lblSearch", "Sea&rch", "Enter the word to search for."},
    {"edtList", "", "Enter the word to search for."},
    {"lblAdd", "&Add a word", "Enter the word to add."},
    {"edtAddWord", "", "Enter the word to add."},
    {"memoAddWordDef", "", "Enter the definition of the word."},
    {"lblInfo", "Help:", ""},
};

template <size_t N>
std::vector<TControlText> ControlTexts(const TTextPair (&pairs)[N])
{
    std::vector<TControlText> controls;
    for (const TTextPair& pair : pairs)
        controls.push_back({pair.Name, Ansi(pair.Caption), Ansi(pair.Hint)});
    for (const TTextCopy& copy : SharedTexts)
        for (const TTextPair& pair : pairs)
            if (std::string(pair.Name) == copy.Source)
                controls.push_back({copy.Name, Ansi(pair.Caption), Ansi(pair.Hint)});
    return controls;
}

TIndexTexts FrenchTexts()
{
    TIndexTexts t;
    t.BytesLabel = "octets";
    t.DictionaryLabel = "Dictionnaire";
    t.IndexFileLabel = "Fichier index";
    t.WordCountSuffix = " mot(s)";
    t.WordsLabel = "Mots";
    t.WordExistsText = Ansi("Le mot existe déjà !");
    t.WarningText = "Attention !";
    t.SaveQuestionText = Ansi("Le dictionnaire a été modifié.\r\n\r\nVoulez-vous l'enregistrer ?");
    t.CursorPositionFormat = "Ligne: %3d   Col: %3d";
    t.OpenDialogTitle = Ansi("Sélectionner un dictionnaire");
    t.SaveDialogTitle = "Enregistrer le dictionnaire sous";
    t.DialogFilter = "Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*";
    t.WindowCaption = "Utilitaire de gestion des dictionnaires - v1.3";
    t.EditorHelp = Ansi("* Les définitions doivent être encadrées par [ ]\r\n\r\n* Pour insérer des images dans une "
                        "définition, utilisez la syntaxe suivante:\r\n  <img src=\"path/imgfile\">\r\navec:\r\n - "
                        "path: chemin relatif du\r\n   fichier image\r\n - imgfile: nom du fichier\r\n   image\r\n\r\n"
                        "exemple:\r\n  <img src=\"img/flag.gif\">");
    t.BracketText = Ansi("Le mot et sa définition ne peuvent contenir ni [ ni ].");
    t.WordTooLongText = Ansi("Le mot ne peut dépasser 50 caractères.");
    t.DefinitionTooLongText = Ansi("La définition ne peut dépasser 32760 caractères.");
    t.UnencodableText = Ansi("Le texte contient des caractères que le dictionnaire ne peut enregistrer.");
    t.CannotCreateText = Ansi("Impossible de créer le dictionnaire :");
    t.WriteFailedText = Ansi("Impossible d'écrire dans le fichier");
    t.Controls = ControlTexts(FrenchControls);
    return t;
}

TIndexTexts EnglishTexts()
{
    TIndexTexts t;
    t.BytesLabel = "bytes";
    t.DictionaryLabel = "Dictionary";
    t.IndexFileLabel = "Index file";
    t.WordCountSuffix = " word(s)";
    t.WordsLabel = "Words";
    t.WordExistsText = "This word already exists !";
    t.WarningText = "Warning !";
    t.SaveQuestionText = "The dictionary has been modified.\r\n\r\nDo you want to save it ?";
    t.CursorPositionFormat = "Line: %3d   Col: %3d";
    t.OpenDialogTitle = "Select a dictionary";
    t.SaveDialogTitle = "Create the dictionary as";
    t.DialogFilter = "Dictionary (*.dat)|*.dat|All files (*.*)|*.*";
    t.WindowCaption = "Dictionaries management utility - v1.3";
    t.EditorHelp = "* Definitions should be enclosed by [ ]\r\n\r\n* To insert images in definition, please use the "
                   "following syntax:\r\n  <img src=\"path/imgfile\">\r\nwith:\r\n - path: relative path to the\r\n"
                   "   image file\r\n - imgfile: image file name\r\n\r\nexample:\r\n  <img src=\"img/flag.gif\">";
    t.BracketText = "The word and its definition may not contain [ or ].";
    t.WordTooLongText = "The word may not be longer than 50 characters.";
    t.DefinitionTooLongText = "The definition may not be longer than 32760 characters.";
    t.UnencodableText = "The text holds characters that the dictionary cannot store.";
    t.CannotCreateText = "Cannot create the dictionary:";
    t.WriteFailedText = "Cannot write to the file";
    t.Controls = ControlTexts(EnglishControls);
    return t;
}

} // namespace

const TIndexTexts& IndexTexts(int32_t languageCode)
{
    static const TIndexTexts french = FrenchTexts();
    static const TIndexTexts english = EnglishTexts();
    return languageCode == FrenchLanguage ? french : english;
}

std::string FormatCursorPosition(const TIndexTexts& texts, int32_t line, int32_t column)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, texts.CursorPositionFormat.c_str(), line, column);
    return buffer;
}

} // namespace utility
