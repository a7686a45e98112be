// Every message brcc32 prints, in English and French. {1}, {2}... are filled in by Text().
// The keywords "error:" and "warning:" are not here: build tools and IDEs parse them, so they stay as they are.
#pragma once

#include <array>

#include "brcc32/messages.h"

namespace brcc::msg {

// The command line.
inline constexpr MessageText kUnknownOption{"unknown option '{1}'", "option inconnue « {1} »"};
inline constexpr MessageText kOptionNeedsValue{"{1} needs a value", "{1} attend une valeur"};
inline constexpr MessageText kOptionGivenTwice{"{1} is given twice", "{1} est donnée deux fois"};
inline constexpr MessageText kNotAMacroName{"'{1}' is not a macro name", "« {1} » n'est pas un nom de macro"};
inline constexpr MessageText kNoScript{"no script given", "aucun script n'est donné"};
inline constexpr MessageText kTwoScripts{"only one script can be compiled at a time ('{1}' and '{2}')",
                                         "un seul script se compile à la fois (« {1} » et « {2} »)"};
inline constexpr MessageText kTooManyFiles{"too many file names: '{1}'", "trop de noms de fichier : « {1} »"};
inline constexpr MessageText kNo16Bit{"{1} asks for 16-bit output, which this compiler does not write: leave it out",
                                      "{1} demande une sortie 16 bits, que ce compilateur n'écrit pas : retirez-la"};
inline constexpr MessageText kBadCodePage{"'{1}' is not a code page this compiler reads (1250 to 1258, 65001...)",
                                          "« {1} » n'est pas une page de codes que ce compilateur lit (1250 à 1258, "
                                          "65001...)"};
inline constexpr MessageText kBadLanguage{"'{1}' is not a language number (hexadecimal, at most FFFF)",
                                          "« {1} » n'est pas un numéro de langue (hexadécimal, au plus FFFF)"};
inline constexpr MessageText kBadMachine{"'{1}' is not a machine this compiler writes for (x86, x64, arm64)",
                                         "« {1} » n'est pas une machine pour laquelle ce compilateur écrit (x86, x64, "
                                         "arm64)"};
inline constexpr MessageText kBadFormat{"'{1}' is not a format this compiler takes here ({2})",
                                        "« {1} » n'est pas un format que ce compilateur prend ici ({2})"};
inline constexpr MessageText kBadDialect{"'{1}' is not a dialect (borland, microsoft, gnu)",
                                         "« {1} » n'est pas un dialecte (borland, microsoft, gnu)"};
inline constexpr MessageText kNoOutput{"no output file given", "aucun fichier de sortie n'est donné"};
inline constexpr MessageText kResponseUnreadable{"cannot read the response file '{1}'",
                                                 "impossible de lire le fichier de réponses « {1} »"};
inline constexpr MessageText kResponseTooDeep{"response files nest too deep at '{1}' (does one name itself?)",
                                              "fichiers de réponses imbriqués trop profondément à « {1} » (l'un se "
                                              "nomme-t-il lui-même ?)"};
inline constexpr MessageText kTryHelp{"Try '{1}' for more information.", "Essayez « {1} » pour en savoir plus."};

// What -v says.
inline constexpr MessageText kVerboseReading{"reading {1}", "lecture de {1}"};
inline constexpr MessageText kVerboseWriting{"writing {1}", "écriture de {1}"};
inline constexpr MessageText kVerboseDependencies{"writing the dependencies to {1}",
                                                  "écriture des dépendances dans {1}"};

// The usage texts: one per dialect, then what all three share.
inline constexpr MessageText kUsageBorland{
    "Usage: {1} [options] SCRIPT.rc\n"
    "Compiles a resource script into a 32-bit .res file (SCRIPT.res beside the script unless -fo names another)\n"
    "or into a COFF object to link: an output named .obj or .o is one.\n"
    "Options may come before or after the script, in either case; a value may be glued to its option or follow it.\n"
    "\n"
    "  @FILE             read more options from FILE\n"
    "  -fo FILE          write the output to FILE (.res; .obj or .o: a COFF object)\n"
    "  -fi FILE          the script to compile\n"
    "  -i DIRS, -I DIRS  look for #include files in these folders (separated by ';'), then in INCLUDE's\n"
    "  -d NAME[=VALUE]   define macros (several separated by ';'); -D is the same\n"
    "  -u NAME           undefine a macro\n"
    "  -x                do not search the folders of the INCLUDE variable\n"
    "  -c CODEPAGE       the script's code page until a #pragma code_page (default 1252; 65001 is UTF-8)\n"
    "  -l LANGUAGE       the default language, in hexadecimal (-l409, -l0x40C)\n"
    "  -machine:MACHINE  the machine of a COFF object: x86 (default), x64 or arm64\n"
    "  -v                say what is read and written\n"
    "  -r, -m, -32, -w32 accepted: a 32-bit .res is what this compiler writes\n"
    "  -16, -31, -fe     refused: there is no 16-bit output\n"
    "  -h, -?            show this help\n",
    "Usage : {1} [options] SCRIPT.rc\n"
    "Compile un script de ressources en fichier .res 32 bits (SCRIPT.res à côté du script sauf si -fo en nomme un\n"
    "autre) ou en objet COFF à lier : une sortie nommée .obj ou .o en est un.\n"
    "Les options vont avant ou après le script, en majuscules ou minuscules ; une valeur suit son option, collée\n"
    "ou non.\n"
    "\n"
    "  @FICHIER          lire d'autres options dans FICHIER\n"
    "  -fo FICHIER       écrire la sortie dans FICHIER (.res ; .obj ou .o : un objet COFF)\n"
    "  -fi FICHIER       le script à compiler\n"
    "  -i DOSSIERS, -I DOSSIERS\n"
    "                    chercher les fichiers #include dans ces dossiers (séparés par ';'), puis dans ceux\n"
    "                    d'INCLUDE\n"
    "  -d NOM[=VALEUR]   définir des macros (plusieurs séparées par ';') ; -D fait de même\n"
    "  -u NOM            annuler la définition d'une macro\n"
    "  -x                ne pas chercher dans les dossiers de la variable INCLUDE\n"
    "  -c PAGE           la page de codes du script jusqu'à un #pragma code_page (1252 par défaut ; 65001 : UTF-8)\n"
    "  -l LANGUE         la langue par défaut, en hexadécimal (-l409, -l0x40C)\n"
    "  -machine:MACHINE  la machine d'un objet COFF : x86 (par défaut), x64 ou arm64\n"
    "  -v                dire ce qui est lu et écrit\n"
    "  -r, -m, -32, -w32 acceptées : ce compilateur écrit un .res 32 bits\n"
    "  -16, -31, -fe     refusées : il n'y a pas de sortie 16 bits\n"
    "  -h, -?            afficher cette aide\n"};

inline constexpr MessageText kUsageMicrosoft{
    "Usage: {1} [options] SCRIPT.rc\n"
    "Compiles a resource script into a .res file (SCRIPT.res beside the script unless /fo names another) or into\n"
    "a COFF object to link: an output named .obj or .o is one. Options start with / or -, in either case.\n"
    "\n"
    "  @FILE             read more options from FILE\n"
    "  /fo FILE          write the output to FILE (.res; .obj or .o: a COFF object)\n"
    "  /i DIR            look for #include files in DIR, then in INCLUDE's folders\n"
    "  /d NAME[=VALUE]   define a macro\n"
    "  /u NAME           undefine a macro\n"
    "  /x                do not search the folders of the INCLUDE variable\n"
    "  /c CODEPAGE       the script's code page until a #pragma code_page (default 1252; 65001 is UTF-8)\n"
    "  /l LANGUAGE       the default language, in hexadecimal (/l 0x409)\n"
    "  /n                end every string of a STRINGTABLE with a NUL\n"
    "  /machine:MACHINE  the machine of a COFF object: x86 (default), x64 or arm64\n"
    "  /v                say what is read and written\n"
    "  /r, /w, /y, /nologo accepted\n"
    "  /?, /h            show this help\n",
    "Usage : {1} [options] SCRIPT.rc\n"
    "Compile un script de ressources en fichier .res (SCRIPT.res à côté du script sauf si /fo en nomme un autre)\n"
    "ou en objet COFF à lier : une sortie nommée .obj ou .o en est un. Les options commencent par / ou -, en\n"
    "majuscules ou minuscules.\n"
    "\n"
    "  @FICHIER          lire d'autres options dans FICHIER\n"
    "  /fo FICHIER       écrire la sortie dans FICHIER (.res ; .obj ou .o : un objet COFF)\n"
    "  /i DOSSIER        chercher les fichiers #include dans DOSSIER, puis dans ceux d'INCLUDE\n"
    "  /d NOM[=VALEUR]   définir une macro\n"
    "  /u NOM            annuler la définition d'une macro\n"
    "  /x                ne pas chercher dans les dossiers de la variable INCLUDE\n"
    "  /c PAGE           la page de codes du script jusqu'à un #pragma code_page (1252 par défaut ; 65001 : UTF-8)\n"
    "  /l LANGUE         la langue par défaut, en hexadécimal (/l 0x409)\n"
    "  /n                terminer chaque chaîne d'une STRINGTABLE par un NUL\n"
    "  /machine:MACHINE  la machine d'un objet COFF : x86 (par défaut), x64 ou arm64\n"
    "  /v                dire ce qui est lu et écrit\n"
    "  /r, /w, /y, /nologo acceptées\n"
    "  /?, /h            afficher cette aide\n"};

inline constexpr MessageText kUsageGnu{
    "Usage: {1} [options] [INPUT] [OUTPUT]\n"
    "Compiles a resource script (or converts a .res file) into a .res file or a COFF object to link.\n"
    "The preprocessor is built in: no outside C preprocessor runs, and names with blanks are fine.\n"
    "\n"
    "  @FILE                        read more options from FILE\n"
    "  -i, --input=FILE             the input (also the first file name)\n"
    "  -o, --output=FILE            the output (also the second file name)\n"
    "  -J, --input-format=FORMAT    rc or res (default: from the input's name)\n"
    "  -O, --output-format=FORMAT   res or coff (default: coff for an output named .o or .obj, else res)\n"
    "  -F, --target=TARGET          pe-i386, pe-x86-64 or pe-aarch64 (default: from the program's prefix,\n"
    "                               x86_64-w64-mingw32-windres for instance; else pe-i386)\n"
    "  -I, --include-dir=DIR        look for #include files in DIR\n"
    "  -D, --define=NAME[=VALUE]    define a macro\n"
    "  -U, --undefine=NAME          undefine a macro\n"
    "  -c, --codepage=CODEPAGE      the script's code page until a #pragma code_page (default 1252)\n"
    "  -l, --language=LANGUAGE      the default language, in hexadecimal\n"
    "  --preprocessor=PROGRAM       accepted and not run: the built-in preprocessor is used\n"
    "  --preprocessor-arg=ARGUMENT  its -D, -U, -I, -MD, -MF and -MT are honoured, the rest ignored\n"
    "  --use-temp-file, --no-use-temp-file, -r   accepted\n"
    "  -v, --verbose                say what is read and written\n"
    "  -V, --version                show the version\n"
    "  -h, --help                   show this help\n",
    "Usage : {1} [options] [ENTRÉE] [SORTIE]\n"
    "Compile un script de ressources (ou convertit un fichier .res) en fichier .res ou en objet COFF à lier.\n"
    "Le préprocesseur est intégré : aucun préprocesseur C extérieur ne tourne, et les noms avec des blancs passent.\n"
    "\n"
    "  @FICHIER                     lire d'autres options dans FICHIER\n"
    "  -i, --input=FICHIER          l'entrée (aussi le premier nom de fichier)\n"
    "  -o, --output=FICHIER         la sortie (aussi le second nom de fichier)\n"
    "  -J, --input-format=FORMAT    rc ou res (par défaut : d'après le nom de l'entrée)\n"
    "  -O, --output-format=FORMAT   res ou coff (par défaut : coff pour une sortie nommée .o ou .obj, sinon res)\n"
    "  -F, --target=CIBLE           pe-i386, pe-x86-64 ou pe-aarch64 (par défaut : d'après le préfixe du\n"
    "                               programme, x86_64-w64-mingw32-windres par exemple ; sinon pe-i386)\n"
    "  -I, --include-dir=DOSSIER    chercher les fichiers #include dans DOSSIER\n"
    "  -D, --define=NOM[=VALEUR]    définir une macro\n"
    "  -U, --undefine=NOM           annuler la définition d'une macro\n"
    "  -c, --codepage=PAGE          la page de codes du script jusqu'à un #pragma code_page (1252 par défaut)\n"
    "  -l, --language=LANGUE        la langue par défaut, en hexadécimal\n"
    "  --preprocessor=PROGRAMME     accepté et non lancé : le préprocesseur intégré sert\n"
    "  --preprocessor-arg=ARGUMENT  ses -D, -U, -I, -MD, -MF et -MT sont suivis, le reste ignoré\n"
    "  --use-temp-file, --no-use-temp-file, -r   acceptées\n"
    "  -v, --verbose                dire ce qui est lu et écrit\n"
    "  -V, --version                afficher la version\n"
    "  -h, --help                   afficher cette aide\n"};

inline constexpr MessageText kUsageCommon{
    "\n"
    "In every dialect:\n"
    "  -MD                write the dependencies beside the output, as OUTPUT.d\n"
    "  -MF FILE, --depfile=FILE      write the dependencies to FILE: the script, each header it includes and each\n"
    "                     file it names (icons, bitmaps, fonts, manifests, data...), with an empty rule for each\n"
    "                     so that a deleted header does not stop make or Ninja\n"
    "  -MT TARGET, --depfile-target=TARGET   the rule's target (default: the output)\n"
    "  --depfile-format=FORMAT       make (default) or json\n"
    "  --machine=MACHINE  the machine of a COFF object: x86, x64 or arm64\n"
    "  --dialect=NAME     first of all: borland, microsoft or gnu, whatever the program's name\n"
    "  --help, --version\n"
    "The program's name picks the dialect: rc is Microsoft's, a name ending in windres is GNU's, any other Borland's.\n"
    "Exit status: 0 when the output was written, 1 on an error in the script or its files, 2 on a command-line\n"
    "error. Errors read FILE(LINE): error: MESSAGE. Messages are in French when the user's language is French.\n",
    "\n"
    "Dans tous les dialectes :\n"
    "  -MD                écrire les dépendances à côté de la sortie, en SORTIE.d\n"
    "  -MF FICHIER, --depfile=FICHIER   écrire les dépendances dans FICHIER : le script, chaque en-tête qu'il inclut\n"
    "                     et chaque fichier qu'il nomme (icônes, bitmaps, polices, manifestes, données...), avec\n"
    "                     une règle vide pour chacun afin qu'un en-tête supprimé n'arrête ni make ni Ninja\n"
    "  -MT CIBLE, --depfile-target=CIBLE   la cible de la règle (par défaut : la sortie)\n"
    "  --depfile-format=FORMAT          make (par défaut) ou json\n"
    "  --machine=MACHINE  la machine d'un objet COFF : x86, x64 ou arm64\n"
    "  --dialect=NOM      en tout premier : borland, microsoft ou gnu, quel que soit le nom du programme\n"
    "  --help, --version\n"
    "Le nom du programme choisit le dialecte : rc est celui de Microsoft, un nom finissant par windres celui de GNU,\n"
    "tout autre celui de Borland.\n"
    "Code de sortie : 0 quand la sortie est écrite, 1 sur une erreur du script ou de ses fichiers, 2 sur une erreur\n"
    "de ligne de commande. Les erreurs se lisent FICHIER(LIGNE): error: MESSAGE. Les messages sont en français\n"
    "quand la langue de l'utilisateur est le français.\n"};

// What the stages say in English, as patterns: the text after "error:" or "warning:" is translated by the first that
// matches it whole. The words a placeholder takes are translated too when a pattern matches them.
inline constexpr std::array kDiagnosticPatterns = {
    MessageText{"cannot read the script: {1}", "impossible de lire le script : {1}"},
    MessageText{"cannot read the .res file: {1}", "impossible de lire le fichier .res : {1}"},
    MessageText{"cannot read '{1}': {2}", "impossible de lire « {1} » : {2}"},
    MessageText{"'{1}' is not a valid icon file: {2}", "« {1} » n'est pas un fichier d'icône valide : {2}"},
    MessageText{"'{1}' is not a valid cursor file: {2}", "« {1} » n'est pas un fichier de curseur valide : {2}"},
    MessageText{"'{1}' is not a valid bitmap file: {2}", "« {1} » n'est pas un fichier bitmap valide : {2}"},
    MessageText{"'{1}' is not a valid font file: {2}", "« {1} » n'est pas un fichier de police valide : {2}"},
    MessageText{"'{1}' is not a valid data file: {2}", "« {1} » n'est pas un fichier de données valide : {2}"},
    MessageText{"cannot find the include file '{1}'", "fichier d'inclusion « {1} » introuvable"},
    MessageText{"cannot read the include file '{1}': {2}", "impossible de lire le fichier d'inclusion « {1} » : {2}"},
    MessageText{"duplicate resource: {1} in language {2} is already defined on line {3}",
                "ressource en double : {1} en langue {2} est déjà définie à la ligne {3}"},
    MessageText{"duplicate string: id {1} in language {2} is already defined on line {3}",
                "chaîne en double : l'identifiant {1} en langue {2} est déjà défini à la ligne {3}"},
    MessageText{"duplicate resource: type {1}, name {2}, language {3}",
                "ressource en double : type {1}, nom {2}, langue {3}"},
    MessageText{"unknown preprocessor directive '#{1}'", "directive de préprocesseur inconnue « #{1} »"},
    MessageText{"unexpected '{1}'", "« {1} » inattendu"},
    MessageText{"'{1}' is not a valid number", "« {1} » n'est pas un nombre valide"},
    MessageText{"quoted text is not closed on its line", "un texte entre guillemets n'est pas fermé sur sa ligne"},
    MessageText{"comment '/*' is never closed with '*/'", "le commentaire « /* » n'est jamais fermé par « */ »"},
    MessageText{"the resource id {1} is out of range (0-65535)",
                "l'identifiant de ressource {1} est hors limites (0-65535)"},
    MessageText{"{1} is not closed with END or '}'", "{1} ne se ferme pas par END ou '}'"},
    MessageText{"the output file cannot be written (is the disk full?)",
                "le fichier de sortie ne peut pas être écrit (le disque est-il plein ?)"},
    MessageText{"the dependency file cannot be written (is the disk full?)",
                "le fichier des dépendances ne peut pas être écrit (le disque est-il plein ?)"},
    MessageText{"the input is not a 32-bit .res file", "l'entrée n'est pas un fichier .res 32 bits"},
    MessageText{"the resources are too large for a COFF object (4 GB)",
                "les ressources sont trop grandes pour un objet COFF (4 Go)"},
    MessageText{"the file holds NUL bytes: it looks saved as UTF-16 without a byte-order mark; save it as UTF-8, or "
                "as UTF-16 with its byte-order mark",
                "le fichier contient des octets NUL : il semble enregistré en UTF-16 sans marque d'ordre des octets ; "
                "enregistrez-le en UTF-8, ou en UTF-16 avec sa marque"},
    // Reasons, which follow a colon in the messages above.
    MessageText{"file not found", "fichier introuvable"},
    MessageText{"it is a folder, not a file", "c'est un dossier, pas un fichier"},
    MessageText{"it is not a regular file", "ce n'est pas un fichier ordinaire"},
    MessageText{"the file is too large", "le fichier est trop grand"},
    MessageText{"the file cannot be read", "le fichier ne peut pas être lu"},
    MessageText{"the file ended while it was read (did it change meanwhile?)",
                "le fichier s'est terminé pendant sa lecture (a-t-il changé entre-temps ?)"},
    MessageText{"it does not start with an icon or cursor header",
                "il ne commence pas par un en-tête d'icône ou de curseur"},
    MessageText{"it does not start with 'BM'", "il ne commence pas par « BM »"},
    MessageText{"it holds no image", "il ne contient aucune image"},
    MessageText{"image {1} lies beyond the end of the file", "l'image {1} se trouve au-delà de la fin du fichier"},
};

}  // namespace brcc::msg
