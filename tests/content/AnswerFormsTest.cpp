// A definition gives its answer away when a reader sees the answer in it, in any case and with
// or without accents, as a plural, a feminine, a conjugated verb, a word made from it or part of
// a compound; a longer or shorter word that merely begins like the answer does not count.
#include "content/AnswerForms.h"
#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#include <QString>
#include <string>

namespace {

using content::TLanguage;

std::string Ansi(const char* utf8)
{
    return platform::UnicodeToAnsiOrEmpty(QString::fromUtf8(utf8));
}

struct TCase {
    const char* answer;
    const char* definition;
    TLanguage language;
    const char* shown; // empty when the definition keeps the answer hidden
};

TEST(ShownAnswer, FindsTheAnswerInTheFormsAReaderRecognises)
{
    const TCase cases[] = {
        // The word itself, whatever its case and accents.
        {"colère", "Exemple : se mettre en <i>colère</i>.", TLanguage::French, "colère"},
        {"colère", "EN COLERE", TLanguage::French, "COLERE"},
        {"apple", "<i>Proverb: an Apple a day.</i>", TLanguage::English, "Apple"},
        // Plurals and feminines.
        {"chat", "Les chats dorment.", TLanguage::French, "chats"},
        {"chat", "Une chatte et ses petits.", TLanguage::French, "chatte"},
        {"cheval", "Des chevaux au galop.", TLanguage::French, "chevaux"},
        {"travail", "Des travaux sur la route.", TLanguage::French, "travaux"},
        {"gâteau", "Des gâteaux au four.", TLanguage::French, "gâteaux"},
        {"heureux", "Elle est heureuse.", TLanguage::French, "heureuse"},
        {"boulanger", "La boulangère ouvre tôt.", TLanguage::French, "boulangère"},
        {"sportif", "Une fille sportive.", TLanguage::French, "sportive"},
        {"bon", "Une bonne idée.", TLanguage::French, "bonne"},
        {"ami", "Mes amies.", TLanguage::French, "amies"},
        {"butterfly", "Butterflies fly.", TLanguage::English, "Butterflies"},
        {"box", "Two boxes.", TLanguage::English, "boxes"},
        {"knife", "Forks and knives.", TLanguage::English, "knives"},
        {"leaf", "Autumn leaves.", TLanguage::English, "leaves"},
        {"child", "Two children.", TLanguage::English, "children"},
        {"fireman", "The firemen came.", TLanguage::English, "firemen"},
        {"œil", "Les yeux bleus.", TLanguage::French, "yeux"},
        // Words that name the tree, the holder or the group of the thing, or the rank of a number.
        {"abricot", "Il pousse sur l'abricotier.", TLanguage::French, "abricotier"},
        {"citron", "Le citronnier.", TLanguage::French, "citronnier"},
        {"fourmi", "Une fourmilière.", TLanguage::French, "fourmilière"},
        {"douze", "Une douzaine d'œufs.", TLanguage::French, "douzaine"},
        {"douze", "Le douzième mois.", TLanguage::French, "douzième"},
        // Verbs.
        {"chanter", "Elle chante juste.", TLanguage::French, "chante"},
        {"chanter", "Nous chanterons.", TLanguage::French, "chanterons"},
        {"manger", "Nous mangeons.", TLanguage::French, "mangeons"},
        {"appeler", "Il appelle sa mère.", TLanguage::French, "appelle"},
        {"nettoyer", "Elle nettoie.", TLanguage::French, "nettoie"},
        {"finir", "Ils finissent tard.", TLanguage::French, "finissent"},
        {"dormir", "Ils dorment.", TLanguage::French, "dorment"},
        {"vendre", "Il vend des fruits.", TLanguage::French, "vend"},
        {"bake", "She baked bread and is baking more.", TLanguage::English, "baked"},
        {"stop", "The bus stopped.", TLanguage::English, "stopped"},
        {"carry", "He carried it.", TLanguage::English, "carried"},
        {"jump", "A jumping frog.", TLanguage::English, "jumping"},
        // Part of a compound.
        {"arc", "Un arc-en-ciel.", TLanguage::French, "arc"},
        {"alphabet", "L'alphabet français.", TLanguage::French, "alphabet"},
        {"apple", "The apple's skin.", TLanguage::English, "apple"},
        // A phrase counts when all of it is there, each word in any of its noun forms.
        {"pomme de terre", "Des pommes de terre.", TLanguage::French, "pommes de terre"},
        {"arc-en-ciel", "Deux arcs en ciel.", TLanguage::French, "arcs en ciel"},
        {"ice cream", "Two ice-creams.", TLanguage::English, "ice-creams"},
        {"aujourd'hui", "Exemple : aujourd'hui, il fait beau.", TLanguage::French, "aujourd'hui"},
        // Tags run the text on or part it as the page does; entities read as their character.
        {"chat", "<b>chat</b>s", TLanguage::French, "chats"},
        {"colère", "en col&egrave;re", TLanguage::French, "colère"},
        {"cœur", "Le c&#156;ur", TLanguage::French, "cœur"},
        {"cœur", "Un cœur d'or.", TLanguage::French, "cœur"},
        {"ciel", "arc<br>ciel", TLanguage::French, "ciel"},
    };
    for (const TCase& test : cases)
        EXPECT_EQ(content::ShownAnswer(Ansi(test.answer), Ansi(test.definition), test.language), test.shown)
            << test.answer << " in " << test.definition;
}

TEST(ShownAnswer, LeavesWordsThatOnlyBeginOrEndLikeTheAnswer)
{
    const TCase cases[] = {
        {"or", "Un objet ordinaire.", TLanguage::French, ""},
        {"chat", "Un château fort.", TLanguage::French, ""},
        {"chanter", "Un chant d'oiseau.", TLanguage::French, ""},
        {"marche", "Des marchandises.", TLanguage::French, ""},
        {"lire", "Un lit de plumes.", TLanguage::French, ""}, // too short a stem to conjugate
        {"arm", "A comfortable armchair.", TLanguage::English, ""},
        {"ant", "An elephant and an antelope.", TLanguage::English, ""},
        {"pomme de terre", "Une pomme sur la terre.", TLanguage::French, ""},
        {"ice cream", "Ice and cream.", TLanguage::English, ""},
        {"ciel", "<img src=\"img/ciel.gif\" alt=\"ciel\">Le bleu.", TLanguage::French, ""},
    };
    for (const TCase& test : cases)
        EXPECT_EQ(content::ShownAnswer(Ansi(test.answer), Ansi(test.definition), test.language), test.shown)
            << test.answer << " in " << test.definition;
}

} // namespace
