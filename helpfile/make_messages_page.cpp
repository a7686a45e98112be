// Writes the help page of brcc32's messages from the compiler's own catalogue, so that the page lists every
// message the compiler can print, in the words it prints them, and never one it has dropped. Only the group
// titles and what to do about each group are written by hand, here.
// Usage: make_messages_page OUTPUT.html
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "brcc32/message_catalogue.h"

namespace {

using brcc::MessageText;
namespace msg = brcc::msg;

// A group starts at its first message in the catalogue's order and runs to the next group; a message added to
// the catalogue lands in the group of its neighbours. A group whose advice is null is not shown: usage texts, and the
// parts that other messages put together.
struct Group {
    const MessageText* first;
    const char* title;
    const char* advice;
};

constexpr Group kGroups[] = {
    {&msg::kUnknownOption, "La ligne de commande",
     "Le compilateur n'a rien lu du script : corrigez la commande (code de sortie 2). <code>brcc32 -h</code> "
     "donne les options du dialecte ; voir aussi <a href=\"dialectes.html\">Les trois dialectes</a>."},
    {&msg::kVerboseReading, "Ce que dit -v", "Des nouvelles, pas des erreurs : l'option <code>-v</code> les demande."},
    {&msg::kUsageBorland, "", nullptr},
    {&msg::kFileNotFound, "Pourquoi un fichier ne se lit pas",
     "Ces raisons suivent le nom du fichier dans les messages qui le nomment, après un deux-points."},
    {&msg::kSystemError, "Les mots du système", "Windows donne lui-même le texte : il dépend de la langue du système."},
    {&msg::kInternalError, "Une panne du compilateur",
     "Le compilateur n'attendait pas cette situation. Gardez le script et les fichiers qu'il nomme : ils "
     "permettent de la reproduire."},
    {&msg::kNoIconHeader, "Une icône, un curseur, un bitmap ou une police refusés",
     "Le fichier nommé n'est pas de son type, ou il est abîmé. Enregistrez-le à nouveau depuis votre éditeur "
     "d'images ; une icône PNG doit être rangée dans un fichier <code>.ico</code>."},
    {&msg::kOutputNotWritten, "L'écriture des fichiers produits",
     "Le disque, les droits ou le nom du fichier produit sont en cause. L'ancien fichier, s'il existait, "
     "reste intact."},
    {&msg::kUtf16WithoutMark, "Le préprocesseur",
     "Les lignes <code>#include</code>, <code>#define</code>, <code>#if</code>... Le message nomme le fichier "
     "où est la faute : souvent un en-tête inclus, pas le script."},
    {&msg::kBadExpression, "Les expressions de #if", "Une expression de <code>#if</code> ou <code>#elif</code>."},
    {&msg::kEndOfScript, "Les mots du script",
     "Ce que le compilateur a trouvé là où il attendait autre chose : ces mots complètent les messages "
     "ci-dessous."},
    {&msg::kExpectedBlockBegin, "Ce que le script devait contenir",
     "La ligne n'a pas la forme attendue : comparez-la aux exemples de <a href=\"compilateur.html\">Ce "
     "qu'il accepte</a>. La faute est souvent à la fin de la ligne précédente (une virgule, un "
     "<code>END</code> oublié)."},
    {&msg::kBelongsToOneResource, "Les instructions de ressources",
     "Une instruction mal placée ou incomplète : <code>LANGUAGE</code>, <code>VERSION</code> ou "
     "<code>CHARACTERISTICS</code> au mauvais endroit, un type ou un nom qui manque."},
    {&msg::kHexLinesExpected, "Données, tables de chaînes et raccourcis clavier",
     "Dans un bloc de données, une <code>STRINGTABLE</code> ou des <code>ACCELERATORS</code> : un "
     "nombre trop grand, une chaîne en double, un raccourci mal écrit (<code>\"^C\"</code>, un code de "
     "touche avec <code>VIRTKEY</code>)."},
    {&msg::kButtonWidthRange, "Barres d'outils et menus",
     "Un <code>TOOLBAR</code>, un <code>MENU</code> ou un <code>MENUEX</code> : une taille hors limites, "
     "une option de menu inconnue, un <code>POPUP</code> sans <code>BEGIN</code>."},
    {&msg::kExpectedLanguageComma, "Noms, types et langues des ressources",
     "Un nom ou un type est un nombre de 0 à 65535, un identificateur ou un texte entre guillemets, "
     "jamais vide ; une langue s'écrit <code>LANGUAGE</code> <var>langue</var><code>,</code> "
     "<var>sous-langue</var>."},
    {&msg::kVersionPartTooLarge, "VERSIONINFO",
     "Le bloc de version : quatre nombres de 0 à 65535 pour <code>FILEVERSION</code> et "
     "<code>PRODUCTVERSION</code>, des blocs <code>BLOCK</code> et des lignes <code>VALUE</code>."},
    {&msg::kExpectedCaption, "Les dialogues",
     "Un <code>DIALOG</code> ou un <code>DIALOGEX</code> et ses contrôles : comparez la ligne à la forme "
     "du contrôle (texte, identifiant, x, y, largeur, hauteur, séparés par des virgules)."},
    {&msg::kPartData, "", nullptr},
    {&msg::kCannotReadScript, "Les fichiers nommés et les ressources en double",
     "Un fichier introuvable est cherché dans le dossier du script, puis dans les dossiers <code>-i</code>, "
     "puis dans ceux de la variable <code>INCLUDE</code>. Deux ressources de même type, de même nom et de "
     "même langue ne peuvent pas coexister : Windows n'en trouverait qu'une."},
};

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// {1}, {2}... are what the message names: a file, a word of the script, a number.
std::string WithPlaceholders(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}') {
            out += "<var>…</var>";
            i += 2;
        } else {
            out += Escaped(text.substr(i, 1));
        }
    }
    return out;
}

// A message's code stays the same in every language and every version: a build log's line finds its row here.
// Parts of messages have none; the column stays out of the page if no message had one.
std::string CodeOf(const MessageText& message) { return message.code; }

// The code, with an anchor so that another page can point at it.
std::string CodeCell(const std::string& code) {
    return code.empty() ? code : "<a name=\"" + code + "\">" + code + "</a>";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_messages_page OUTPUT.html\n";
        return 2;
    }
    std::ofstream page(argv[1], std::ios::binary);
    // The page's source, as the other pages have it: its title line, then what it shows.
    page << "<title>Les messages du compilateur</title>\n"
            "<h1>Les messages du compilateur</h1>\n"
            "<p>Voici tous les messages que <code>brcc32</code> peut écrire, tels qu'il les écrit, par famille. "
            "<var>…</var> tient la place de ce que le message nomme : un fichier, un mot du script, un nombre. "
            "Les messages sont en français quand la langue de Windows est le français, sinon en anglais (la "
            "seconde colonne). Comment lire un message et le corriger : <a href=\"erreurs.html\">Corriger une "
            "erreur</a>.</p>\n"
            "<p>Chaque erreur et chaque avertissement porte un code, le même dans toutes les langues, qu'un "
            "journal de construction montre après le mot <code>error</code> ou <code>warning</code> "
            "(<code>app.rc(3): error BRC5302: ...</code>, ou <code>[BRC5302]</code> en fin de ligne dans le "
            "dialecte GNU) : <code>BRC1</code>... la ligne de commande, <code>BRC2</code>... le préprocesseur, "
            "<code>BRC3</code>... les instructions du script, <code>BRC4</code>... les avertissements, "
            "<code>BRC5</code>... les fichiers nommés et les fichiers produits, <code>BRC9</code>... les pannes "
            "du système ou du compilateur. Les parties de messages (une raison après un deux-points) n'en ont "
            "pas.</p>\n";
    bool withCodes = false;
    for (const MessageText* message : msg::kEveryMessage) {
        withCodes = withCodes || !CodeOf(*message).empty();
    }
    const Group* group = nullptr;
    bool shown = false;
    for (const MessageText* message : msg::kEveryMessage) {
        for (const Group& g : kGroups) {
            if (g.first == message) {
                if (shown) {
                    page << "</table>\n";
                }
                group = &g;
                shown = g.advice != nullptr;
                if (shown) {
                    page << "<h2>" << g.title << "</h2>\n";
                    if (g.advice[0] != '\0') {
                        page << "<p>" << g.advice << "</p>\n";
                    }
                    page << "<table summary=\"" << g.title << "\">\n<tr>" << (withCodes ? "<th>Code</th>" : "")
                         << "<th>Message</th><th>En anglais</th></tr>\n";
                }
            }
        }
        if (group == nullptr) {
            std::cerr << "make_messages_page: the catalogue no longer starts with the first group's message\n";
            return 1;
        }
        if (shown) {
            page << "<tr>" << (withCodes ? "<td>" + CodeCell(CodeOf(*message)) + "</td>" : "") << "<td>"
                 << WithPlaceholders(message->french) << "</td><td>" << WithPlaceholders(message->english)
                 << "</td></tr>\n";
        }
    }
    if (shown) {
        page << "</table>\n";
    }

    page.close();
    if (!page) {
        std::cerr << "make_messages_page: cannot write " << argv[1] << "\n";
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
