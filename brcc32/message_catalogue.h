// Every message brcc32 prints, in English and French. {1}, {2}... are filled in by Text() and Compose().
// The keywords "error:" and "warning:" are not here: build tools and IDEs parse them, so they stay as they are.
#pragma once

#include <array>

#include "brcc32/messages.h"

namespace brcc::msg {

// The command line.
inline constexpr MessageText kUnknownOption{"unknown option '{1}'", "option inconnue « {1} »", "BRC1001"};
inline constexpr MessageText kOptionNeedsValue{"{1} needs a value", "{1} attend une valeur", "BRC1002"};
inline constexpr MessageText kOptionGivenTwice{"{1} is given twice", "{1} est donnée deux fois", "BRC1003"};
inline constexpr MessageText kNotAMacroName{"'{1}' is not a macro name", "« {1} » n'est pas un nom de macro",
                                            "BRC1004"};
inline constexpr MessageText kNoScript{"no script given", "aucun script n'est donné", "BRC1005"};
inline constexpr MessageText kTwoScripts{"only one script can be compiled at a time ('{1}' and '{2}')",
                                         "un seul script se compile à la fois (« {1} » et « {2} »)", "BRC1006"};
inline constexpr MessageText kTooManyFiles{"too many file names: '{1}'", "trop de noms de fichier : « {1} »",
                                           "BRC1007"};
inline constexpr MessageText kNo16Bit{"{1} asks for 16-bit output, which this compiler does not write: leave it out",
                                      "{1} demande une sortie 16 bits, que ce compilateur n'écrit pas : retirez-la",
                                      "BRC1008"};
inline constexpr MessageText kBadCodePage{"'{1}' is not a code page this compiler reads (1250 to 1258, 65001...)",
                                          "« {1} » n'est pas une page de codes que ce compilateur lit (1250 à 1258, "
                                          "65001...)",
                                          "BRC1009"};
inline constexpr MessageText kBadLanguage{"'{1}' is not a language number (hexadecimal, at most FFFF)",
                                          "« {1} » n'est pas un numéro de langue (hexadécimal, au plus FFFF)",
                                          "BRC1010"};
inline constexpr MessageText kBadMachine{"'{1}' is not a machine this compiler writes for (x86, x64, arm64)",
                                         "« {1} » n'est pas une machine pour laquelle ce compilateur écrit (x86, x64, "
                                         "arm64)",
                                         "BRC1011"};
inline constexpr MessageText kBadFormat{"'{1}' is not a format this compiler takes here ({2})",
                                        "« {1} » n'est pas un format que ce compilateur prend ici ({2})", "BRC1012"};
inline constexpr MessageText kBadDialect{"'{1}' is not a dialect (borland, microsoft, gnu)",
                                         "« {1} » n'est pas un dialecte (borland, microsoft, gnu)", "BRC1013"};
inline constexpr MessageText kResponseUnreadable{"cannot read the response file '{1}'",
                                                 "impossible de lire le fichier de réponses « {1} »", "BRC1015"};
inline constexpr MessageText kResponseTooDeep{"response files nest too deep at '{1}' (does one name itself?)",
                                              "fichiers de réponses imbriqués trop profondément à « {1} » (l'un se "
                                              "nomme-t-il lui-même ?)",
                                              "BRC1016"};
inline constexpr MessageText kTryHelp{"Try '{1}' for more information.", "Essayez « {1} » pour en savoir plus."};

// What -v says.
inline constexpr MessageText kVerboseReading{"reading {1}", "lecture de {1}"};
inline constexpr MessageText kVerboseWriting{"writing {1}", "écriture de {1}"};
inline constexpr MessageText kVerboseDecompiled{
    "{1}: {2} resources written as statements, {3} as files beside it, {4} as data",
    "{1} : {2} ressources écrites en instructions, {3} en fichiers à côté, {4} en données"};
inline constexpr MessageText kResourceLeftOut{
    "resource {1} of type {2}, language {3}, is left out of the script: the script language cannot write its name "
    "or its memory flags",
    "la ressource {1} de type {2}, langue {3}, est laissée hors du script : le langage des scripts ne sait pas écrire "
    "son nom ou ses options de mémoire",
    "BRC4011"};
inline constexpr MessageText kVerboseDependencies{"writing the dependencies to {1}",
                                                  "écriture des dépendances dans {1}"};

// What --version says after the program's name and version, and Borland's and Microsoft's help before their usage:
// build tools (meson) recognise a resource compiler by these product names, which no translation changes.
inline constexpr MessageText kCompatibleBorland{"compatible with Borland Resource Compiler (brcc32)",
                                                "compatible avec Borland Resource Compiler (brcc32)"};
inline constexpr MessageText kCompatibleMicrosoft{"compatible with Microsoft Windows Resource Compiler (rc)",
                                                  "compatible avec Microsoft Windows Resource Compiler (rc)"};
inline constexpr MessageText kCompatibleGnu{"compatible with GNU windres", "compatible avec GNU windres"};

// The usage texts: one per dialect, then what all three share.
inline constexpr MessageText kUsageBorland{
    "Usage: {1} [options] SCRIPT.rc\n"
    "Compiles a resource script into a 32-bit .res file (SCRIPT.res beside the script unless -fo names another)\n"
    "or into a COFF object to link: an output named .obj or .o is one.\n"
    "Options may come before or after the script, in either case; a value may be glued to its option or follow it.\n"
    "\n"
    "  @FILE             read more options from FILE\n"
    "  -fo FILE          write the output to FILE (.res; .obj or .o: a COFF object)\n"
    "  -fi FILE          the script to compile (or a .res file to write back as a script)\n"
    "  -decompile        write the input's resources back as a script, with its images and fonts beside it, that\n"
    "                    compiles to the same bytes (also for an output named .rc)\n"
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
    "  -fi FICHIER       le script à compiler (ou un fichier .res à réécrire en script)\n"
    "  -decompile        réécrire les ressources de l'entrée en script, avec ses images et polices à côté, qui se\n"
    "                    compile en les mêmes octets (de même pour une sortie nommée .rc)\n"
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
    "  /decompile        write the input's resources (a .res file) back as a script, with its images and fonts\n"
    "                    beside it, that compiles to the same bytes (also for an output named .rc)\n"
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
    "  /decompile        réécrire les ressources de l'entrée (un fichier .res) en script, avec ses images et\n"
    "                    polices à côté, qui se compile en les mêmes octets (de même pour une sortie nommée .rc)\n"
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
    "Compiles a resource script (or takes the resources of a .res, an object or an executable) into a .res file\n"
    "or a COFF object to link.\n"
    "The preprocessor is built in: no outside C preprocessor runs, and names with blanks are fine.\n"
    "\n"
    "  @FILE                        read more options from FILE\n"
    "  -i, --input=FILE             the input (also the first file name; none or - reads the standard input)\n"
    "  -o, --output=FILE            the output (also the second file name; none or - writes the standard output)\n"
    "  -J, --input-format=FORMAT    rc, res or coff (an object or an executable; default: from the input's name,\n"
    "                               else from its first bytes)\n"
    "  -O, --output-format=FORMAT   res, coff or rc (default: res for an output named .res, rc for .rc, else\n"
    "                               coff); rc writes the resources back as a script that compiles to the\n"
    "                               same bytes, with its images and fonts as files beside it\n"
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
    "Compile un script de ressources (ou prend les ressources d'un .res, d'un objet ou d'un exécutable) en\n"
    "fichier .res ou en objet COFF à lier.\n"
    "Le préprocesseur est intégré : aucun préprocesseur C extérieur ne tourne, et les noms avec des blancs passent.\n"
    "\n"
    "  @FICHIER                     lire d'autres options dans FICHIER\n"
    "  -i, --input=FICHIER          l'entrée (aussi le premier nom de fichier ; sans nom ou -, l'entrée standard)\n"
    "  -o, --output=FICHIER         la sortie (aussi le second nom de fichier ; sans nom ou -, la sortie standard)\n"
    "  -J, --input-format=FORMAT    rc, res ou coff (un objet ou un exécutable ; par défaut : d'après le nom de\n"
    "                               l'entrée, sinon d'après ses premiers octets)\n"
    "  -O, --output-format=FORMAT   res, coff ou rc (par défaut : res pour une sortie nommée .res, rc pour\n"
    "                               .rc, sinon coff) ; rc réécrit les ressources en script qui se compile\n"
    "                               en les mêmes octets, avec ses images et polices en fichiers à côté\n"
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

// After GNU's usage: where #include files are looked for, with the folders this machine has for the target.
inline constexpr MessageText kUsageSearchOrder{
    "#include files are looked for beside the file that includes them, then in the -I folders, in those of the\n"
    "INCLUDE variable (separated by ';'), in the target's system folders on this machine:\n"
    "{1}and last in the Windows headers built into this compiler.\n",
    "Les fichiers #include sont cherchés à côté du fichier qui les inclut, puis dans les dossiers de -I, dans ceux\n"
    "de la variable INCLUDE (séparés par ';'), dans les dossiers système de la cible sur cette machine :\n"
    "{1}et enfin dans les en-têtes Windows intégrés à ce compilateur.\n"};
inline constexpr MessageText kUsageNoSystemFolders{"  (none)\n", "  (aucun)\n"};

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
    "  --                 every argument after it is a file name, even one that starts with - or /\n"
    "  --help, --version\n"
    "The program's name picks the dialect: rc is Microsoft's, a name ending in windres is GNU's, any other Borland's.\n"
    "Exit status: 0 when the output was written, 1 on an error in the script or its files, 2 on a command-line\n"
    "error. Errors read FILE(LINE): error CODE: MESSAGE, as Visual Studio and MSBuild read them, or in GNU's dialect\n"
    "FILE:LINE: error: MESSAGE [CODE], as GCC writes them; warnings likewise. The manual lists every CODE.\n"
    "Messages are in French when the user's language is French, in the terminal's character set.\n",
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
    "  --                 chaque argument qui suit est un nom de fichier, même s'il commence par - ou /\n"
    "  --help, --version\n"
    "Le nom du programme choisit le dialecte : rc est celui de Microsoft, un nom finissant par windres celui de GNU,\n"
    "tout autre celui de Borland.\n"
    "Code de sortie : 0 quand la sortie est écrite, 1 sur une erreur du script ou de ses fichiers, 2 sur une erreur\n"
    "de ligne de commande. Les erreurs se lisent FICHIER(LIGNE): error CODE: MESSAGE, comme Visual Studio et MSBuild\n"
    "les lisent, ou dans le dialecte GNU FICHIER:LIGNE: error: MESSAGE [CODE], comme GCC les écrit ; de même pour\n"
    "les avertissements (warning). Le manuel donne chaque CODE. Les messages sont en français quand la langue de\n"
    "l'utilisateur est le français, dans le jeu de caractères du terminal.\n"};

// Why a file cannot be read; these follow a colon in the messages that name the file.
inline constexpr MessageText kFileNotFound{"file not found", "fichier introuvable", "BRC5001"};
inline constexpr MessageText kIsAFolder{"it is a folder, not a file", "c'est un dossier, pas un fichier", "BRC5002"};
inline constexpr MessageText kNotARegularFile{"it is not a regular file", "ce n'est pas un fichier ordinaire",
                                              "BRC5003"};
inline constexpr MessageText kCannotBeRead{"the file cannot be read", "le fichier ne peut pas être lu", "BRC5004"};
inline constexpr MessageText kEndedWhileRead{"the file ended while it was read (did it change meanwhile?)",
                                             "le fichier s'est terminé pendant sa lecture (a-t-il changé "
                                             "entre-temps ?)",
                                             "BRC5005"};
inline constexpr MessageText kFileTooLarge{"the file is too large", "le fichier est trop grand", "BRC5006"};
inline constexpr MessageText kAccessDenied{"access is denied", "accès refusé", "BRC5007"};
inline constexpr MessageText kDiskFull{"the disk is full", "le disque est plein", "BRC5008"};
inline constexpr MessageText kReadOnlyDisk{"the disk is read-only", "le disque est en lecture seule", "BRC5009"};
inline constexpr MessageText kFileInUse{"the file is in use by another program",
                                        "le fichier est utilisé par un autre programme", "BRC5010"};
inline constexpr MessageText kOutOfMemory{"not enough memory", "mémoire insuffisante", "BRC5011"};
// The system's own words, which only it can translate.
inline constexpr MessageText kSystemError{"{1}", "erreur du système : {1}", "BRC9001"};
// A failure the compiler does not expect: its English text, as the runtime gives it.
inline constexpr MessageText kInternalError{"{1}", "erreur interne : {1}", "BRC9002"};

// Why an icon, cursor, bitmap or font file is refused.
inline constexpr MessageText kNoIconHeader{"it does not start with an icon or cursor header",
                                           "il ne commence pas par un en-tête d'icône ou de curseur", "BRC5101"};
inline constexpr MessageText kCursorNotIcon{"it is a cursor file, not an icon file",
                                            "c'est un fichier de curseur, pas d'icône", "BRC5102"};
inline constexpr MessageText kIconNotCursor{"it is an icon file, not a cursor file",
                                            "c'est un fichier d'icône, pas de curseur", "BRC5103"};
inline constexpr MessageText kNoImage{"it holds no image", "il ne contient aucune image", "BRC5104"};
inline constexpr MessageText kIconDirectoryCut{"its directory of {1} images is cut short",
                                               "son répertoire de {1} images est tronqué", "BRC5105"};
inline constexpr MessageText kImageBeyondEnd{"image {1} lies beyond the end of the file",
                                             "l'image {1} se trouve au-delà de la fin du fichier", "BRC5106"};
inline constexpr MessageText kImageTooShort{"image {1} is only {2} bytes long", "l'image {1} ne fait que {2} octets",
                                            "BRC5107"};
inline constexpr MessageText kImageUnknownFormat{"image {1} is neither a PNG image nor a bitmap with a 40-byte header",
                                                 "l'image {1} n'est ni une image PNG ni un bitmap à en-tête de 40 "
                                                 "octets",
                                                 "BRC5108"};
inline constexpr MessageText kImagePlanesAndBits{"image {1} has {2} planes and {3} bits per pixel",
                                                 "l'image {1} a {2} plans et {3} bits par pixel", "BRC5109"};
inline constexpr MessageText kNoBmSignature{"it does not start with 'BM'", "il ne commence pas par « BM »", "BRC5110"};
inline constexpr MessageText kBitmapTooShort{"it is too short to hold a bitmap header",
                                             "il est trop court pour contenir un en-tête de bitmap", "BRC5111"};
inline constexpr MessageText kBitmapHeaderSize{"its bitmap header has an unknown size ({1} bytes)",
                                               "son en-tête de bitmap a une taille inconnue ({1} octets)", "BRC5112"};
inline constexpr MessageText kBitmapHeaderCut{"its bitmap header is cut short", "son en-tête de bitmap est tronqué",
                                              "BRC5113"};
inline constexpr MessageText kBitmapPlanes{"its bitmap header does not say 1 plane",
                                           "son en-tête de bitmap n'indique pas 1 plan", "BRC5114"};
inline constexpr MessageText kFontTooShort{"it is shorter than a font header",
                                           "il est plus court qu'un en-tête de police", "BRC5115"};
inline constexpr MessageText kNotAFntFont{"it is not a Windows .fnt font (version 2.0 or 3.0)",
                                          "ce n'est pas une police .fnt de Windows (version 2.0 ou 3.0)", "BRC5116"};
inline constexpr MessageText kFontDevice{"device", "de périphérique"};
inline constexpr MessageText kFontFace{"face", "de police"};
inline constexpr MessageText kFontNameBeyondEnd{"its {1} name lies beyond the end of the file",
                                                "son nom {1} se trouve au-delà de la fin du fichier", "BRC5117"};
inline constexpr MessageText kFontNameNotEnded{"its {1} name does not end before the end of the file",
                                               "son nom {1} ne se termine pas avant la fin du fichier", "BRC5118"};

// Writing the outputs.
inline constexpr MessageText kOutputNotWritten{"the output file cannot be written (is the disk full?)",
                                               "le fichier de sortie ne peut pas être écrit (le disque est-il "
                                               "plein ?)",
                                               "BRC5201"};
inline constexpr MessageText kDependenciesNotWritten{"the dependency file cannot be written (is the disk full?)",
                                                     "le fichier des dépendances ne peut pas être écrit (le disque "
                                                     "est-il plein ?)",
                                                     "BRC5202"};
inline constexpr MessageText kCannotCreateIn{"cannot create a file in the folder of '{1}'",
                                             "impossible de créer un fichier dans le dossier de « {1} »", "BRC5203"};
inline constexpr MessageText kCannotWrite{"cannot write '{1}' (is the disk full?)",
                                          "impossible d'écrire « {1} » (le disque est-il plein ?)", "BRC5204"};
inline constexpr MessageText kCannotReplace{"cannot replace '{1}': {2}", "impossible de remplacer « {1} » : {2}",
                                            "BRC5205"};
// Outputs that are devices, missing folders, empty names and response files in UTF-16 without a mark.
inline constexpr MessageText kCannotOpenDevice{"cannot open '{1}' for writing",
                                               "impossible d'ouvrir « {1} » en écriture", "BRC5214"};
inline constexpr MessageText kNoOutputFolder{"cannot write '{1}': the folder '{2}' does not exist",
                                             "impossible d'écrire « {1} » : le dossier « {2} » n'existe pas",
                                             "BRC5215"};
inline constexpr MessageText kEmptyOutputName{"{1} names no file: the output file name is empty",
                                              "{1} ne nomme aucun fichier : le nom du fichier de sortie est vide",
                                              "BRC1017"};
inline constexpr MessageText kCannotReadStandardInput{"cannot read the standard input",
                                                      "impossible de lire l'entrée standard", "BRC5216"};
inline constexpr MessageText kResponseUtf16WithoutMark{
    "the response file '{1}' looks like UTF-16 without a byte-order mark: save it with one, or as UTF-8",
    "le fichier de réponses « {1} » semble être en UTF-16 sans indicateur d'ordre des octets : enregistrez-le avec "
    "cet indicateur, ou en UTF-8",
    "BRC1018"};
inline constexpr MessageText kCannotReadRes{"cannot read the resources: {1}", "impossible de lire les ressources : {1}",
                                            "BRC5206"};
inline constexpr MessageText kInputNotARes{"the input is not a 32-bit .res file",
                                           "l'entrée n'est pas un fichier .res 32 bits", "BRC5208"};
// Reading resources back from a .res, a COFF object or an executable: what is wrong, and where.
inline constexpr MessageText kResHeaderWrong{"not a 32-bit .res file: the header at offset {1} {2}",
                                             "ce n'est pas un fichier .res 32 bits : l'en-tête à la position {1} {2}",
                                             "BRC5217"};
inline constexpr MessageText kResPastEnd{"goes past the end of the file", "dépasse la fin du fichier"};
inline constexpr MessageText kResTooSmall{"is too small for its fields", "est trop petit pour ses champs"};
inline constexpr MessageText kResDataPastEnd{"announces more data than the file holds",
                                             "annonce plus de données que le fichier n'en contient"};
inline constexpr MessageText kResNameNotEnded{"holds a name that does not end", "contient un nom qui ne finit pas"};
inline constexpr MessageText kResNoMarker{"is not the empty entry that starts a 32-bit .res file",
                                          "n'est pas l'entrée vide qui commence un fichier .res 32 bits"};
inline constexpr MessageText kNotACoffObject{"not a COFF object with resources: {1}",
                                             "ce n'est pas un objet COFF avec des ressources : {1}", "BRC5218"};
inline constexpr MessageText kNotAnExecutable{"not a valid executable: {1}", "ce n'est pas un exécutable valide : {1}",
                                              "BRC5219"};
inline constexpr MessageText kHeadersPastEnd{"its headers go past the end of the file",
                                             "ses en-têtes dépassent la fin du fichier"};
inline constexpr MessageText kNoResourceSection{"it holds no resources", "il ne contient aucune ressource"};
inline constexpr MessageText kSectionPastEnd{"section {1} goes past the end of the file",
                                             "la section {1} dépasse la fin du fichier"};
inline constexpr MessageText kRelocationWrong{"a relocation of section {1} points outside the object",
                                              "une relocalisation de la section {1} pointe hors de l'objet"};
inline constexpr MessageText kDirectoryOutside{"its resource directory lies outside every section",
                                               "son répertoire des ressources est hors de toute section"};
inline constexpr MessageText kDirectoryWrong{"the resource directory is damaged at offset {1}: {2}",
                                             "le répertoire des ressources est endommagé à la position {1} : {2}",
                                             "BRC5220"};
inline constexpr MessageText kDirectoryPastEnd{"a table or a name goes past the end of its section",
                                               "une table ou un nom dépasse la fin de sa section"};
inline constexpr MessageText kDirectoryLoop{"its tables loop or overlap", "ses tables bouclent ou se chevauchent"};
inline constexpr MessageText kDirectoryNameNotText{"a name holds a character that a .res file cannot hold",
                                                   "un nom contient un caractère qu'un fichier .res ne peut pas "
                                                   "contenir"};
inline constexpr MessageText kDirectoryTooLarge{"the names of its resources add up to more than 64 MB",
                                                "les noms de ses ressources dépassent 64 Mo au total", "BRC5221"};
inline constexpr MessageText kDirectoryLevel{"a table or a resource stands at the wrong level",
                                             "une table ou une ressource se trouve au mauvais niveau"};
inline constexpr MessageText kDirectoryDataOutside{"a resource's data lies outside the file",
                                                   "les données d'une ressource sont hors du fichier"};
inline constexpr MessageText kCoffTooLarge{"the resources are too large for a COFF object (4 GB)",
                                           "les ressources sont trop grandes pour un objet COFF (4 Go)", "BRC5209"};
inline constexpr MessageText kDuplicateResourceInRes{"duplicate resource: type {1}, name {2}, language {3}",
                                                     "ressource en double : type {1}, nom {2}, langue {3}", "BRC5210"};
inline constexpr MessageText kCoffNameTooLong{
    "a resource type or name is too long for a COFF object (65535 characters)",
    "un type ou un nom de ressource est trop long pour un objet COFF (65535 "
    "caractères)",
    "BRC5211"};
inline constexpr MessageText kCoffTableTooLarge{
    "more than 65535 resources of one type, name or language for a COFF object",
    "plus de 65535 ressources d'un même type, nom ou langue pour un objet "
    "COFF",
    "BRC5212"};
inline constexpr MessageText kTooManyResources{"the script defines too many resources",
                                               "le script définit trop de ressources", "BRC5213"};

// The preprocessor.
inline constexpr MessageText kUtf16WithoutMark{
    "the file holds NUL bytes: it looks saved as UTF-16 without a byte-order mark; save it as UTF-8, or as UTF-16 "
    "with its byte-order mark",
    "le fichier contient des octets NUL : il semble enregistré en UTF-16 sans marque d'ordre des octets ; "
    "enregistrez-le en UTF-8, ou en UTF-16 avec sa marque d'ordre des octets",
    "BRC2001"};
inline constexpr MessageText kNulBytes{"{1} is not a resource script: it holds NUL bytes at offset {2}",
                                       "{1} n'est pas un script de ressources : il contient des octets NUL à la "
                                       "position {2}",
                                       "BRC2002"};
inline constexpr MessageText kCommentNotClosed{"comment '/*' is never closed with '*/'",
                                               "le commentaire « /* » n'est jamais fermé par « */ »", "BRC2003"};
inline constexpr MessageText kUnknownDirective{"unknown preprocessor directive '#{1}'",
                                               "directive de préprocesseur inconnue « #{1} »", "BRC2004"};
inline constexpr MessageText kDirectiveNeedsName{"{1} needs a macro name", "{1} attend un nom de macro", "BRC2005"};
inline constexpr MessageText kWithoutIf{"{1} without #if", "{1} sans #if", "BRC2006"};
inline constexpr MessageText kAfterElse{"{1} after #else", "{1} après #else", "BRC2007"};
inline constexpr MessageText kIfWithoutEndif{"#if without #endif: the file ends inside it",
                                             "#if sans #endif : le fichier se termine à l'intérieur", "BRC2008"};
inline constexpr MessageText kErrorDirective{"#error {1}", "directive #error : {1}", "BRC2009"};
inline constexpr MessageText kIfNeedsExpression{"#if or #elif needs an expression",
                                                "#if ou #elif attend une expression", "BRC2010"};
inline constexpr MessageText kDefinedNeedsName{"'defined' needs a macro name", "« defined » attend un nom de macro",
                                               "BRC2011"};
inline constexpr MessageText kDefinedNotClosed{"'defined(' without ')'", "« defined( » sans « ) »", "BRC2012"};
inline constexpr MessageText kCodePagePragmaForm{"write #pragma code_page(NUMBER)", "écrivez #pragma code_page(NOMBRE)",
                                                 "BRC2013"};
inline constexpr MessageText kNotACodePageNumber{"'{1}' is not a code page number",
                                                 "« {1} » n'est pas un numéro de page de codes", "BRC2014"};
inline constexpr MessageText kCodePageUnsupported{
    "code page {1} is not supported: name a Windows code page whose bytes below 0x80 are ASCII, such as 65001 "
    "(UTF-8), 1252 (Western Europe), 932 (Japanese) or 936 (Simplified Chinese)",
    "la page de codes {1} n'est pas prise en charge : nommez une page de codes de Windows dont les octets sous 0x80 "
    "sont ASCII, comme 65001 (UTF-8), 1252 (Europe de l'Ouest), 932 (japonais) ou 936 (chinois simplifié)",
    "BRC2015"};
inline constexpr MessageText kLineForm{"write #line NUMBER \"file\"", "écrivez #line NOMBRE \"fichier\"", "BRC2016"};
inline constexpr MessageText kLineNumberFrom1{"write #line NUMBER \"file\", NUMBER from 1",
                                              "écrivez #line NOMBRE \"fichier\", NOMBRE à partir de 1", "BRC2017"};
inline constexpr MessageText kLineFileNotClosed{"the file name of #line is not closed with '\"'",
                                                "le nom de fichier de #line n'est pas fermé par « \" »", "BRC2018"};
inline constexpr MessageText kIncludeForm{"write #include \"file\" or #include <file>",
                                          "écrivez #include \"fichier\" ou #include <fichier>", "BRC2019"};
inline constexpr MessageText kIncludesTooDeep{"includes nest more than {1} deep: does '{2}' include itself?",
                                              "les inclusions s'imbriquent sur plus de {1} niveaux : « {2} » "
                                              "s'inclut-il lui-même ?",
                                              "BRC2020"};
inline constexpr MessageText kIncludeNotFound{"cannot find the include file '{1}'",
                                              "fichier d'inclusion « {1} » introuvable", "BRC2021"};
inline constexpr MessageText kCannotReadInclude{"cannot read the include file '{1}': {2}",
                                                "impossible de lire le fichier d'inclusion « {1} » : {2}", "BRC2022"};
inline constexpr MessageText kMacroParametersNotClosed{"the parameters of macro '{1}' are not closed with ')'",
                                                       "les paramètres de la macro « {1} » ne sont pas fermés par "
                                                       "« ) »",
                                                       "BRC2023"};
inline constexpr MessageText kMacroParameterNotName{"macro '{1}' has a parameter that is not a name",
                                                    "la macro « {1} » a un paramètre qui n'est pas un nom", "BRC2024"};
inline constexpr MessageText kMacrosTooDeep{"macros nest more than {1} deep",
                                            "les macros s'imbriquent sur plus de {1} niveaux", "BRC2025"};
inline constexpr MessageText kMacroRecursive{"macro '{1}' refers to itself: its expansion would never end",
                                             "la macro « {1} » se désigne elle-même : son expansion ne finirait "
                                             "jamais",
                                             "BRC2026"};
inline constexpr MessageText kMacroArgumentsNotClosed{
    "the arguments of macro '{1}' are not closed with ')' on their "
    "line",
    "les arguments de la macro « {1} » ne sont pas fermés par « ) » "
    "sur leur ligne",
    "BRC2027"};
inline constexpr MessageText kMacroArgumentCount1{"macro '{1}' takes {2} argument, given {3}",
                                                  "la macro « {1} » prend {2} argument, elle en reçoit {3}", "BRC2028"};
inline constexpr MessageText kMacroArgumentCount{"macro '{1}' takes {2} arguments, given {3}",
                                                 "la macro « {1} » prend {2} arguments, elle en reçoit {3}", "BRC2029"};
inline constexpr MessageText kMacrosTooLong{"the macros of this line expand to more than 1 MB of text",
                                            "les macros de cette ligne donnent plus de 1 Mo de texte", "BRC2030"};
// #if expressions.
inline constexpr MessageText kBadExpression{"the expression '{1}' is not valid: {2}",
                                            "l'expression « {1} » n'est pas valide : {2}", "BRC2101"};
inline constexpr MessageText kUnexpected{"unexpected '{1}'", "« {1} » inattendu", "BRC2102"};
inline constexpr MessageText kQuestionWithoutColon{"'?' without ':'", "« ? » sans « : »", "BRC2103"};
inline constexpr MessageText kDivisionByZero{"division by zero", "division par zéro", "BRC2104"};
inline constexpr MessageText kParenthesisNotClosed{"'(' without ')'", "« ( » sans « ) »", "BRC2105"};
inline constexpr MessageText kValueMissing{"a value is missing at its end", "il manque une valeur à sa fin", "BRC2106"};
inline constexpr MessageText kNumberWithoutDigits{"a number has no digits", "un nombre n'a pas de chiffres", "BRC2107"};
inline constexpr MessageText kNotANumber{"'{1}' is not a number", "« {1} » n'est pas un nombre", "BRC2108"};
inline constexpr MessageText kEmptyCharacter{"an empty character constant", "une constante caractère vide", "BRC2109"};
inline constexpr MessageText kCharacterEndsWithBackslash{"a character constant ends with '\\'",
                                                         "une constante caractère se termine par « \\ »", "BRC2110"};

// Reading the script: its words and quoted texts.
inline constexpr MessageText kEndOfScript{"the end of the script", "la fin du script"};
inline constexpr MessageText kByte{"the byte 0x{1}", "l'octet 0x{1}"};
inline constexpr MessageText kQuoted{"'{1}'", "« {1} »"};
inline constexpr MessageText kQuotedTextNotClosed{"quoted text is not closed on its line",
                                                  "un texte entre guillemets n'est pas fermé sur sa ligne", "BRC3001"};
inline constexpr MessageText kStrayHash{"unexpected '#': a preprocessor line must start its line",
                                        "« # » inattendu : une ligne de préprocesseur doit commencer sa ligne",
                                        "BRC3002"};
inline constexpr MessageText kUtf8WithoutCodePage{
    "this text is valid UTF-8, but no code page says so: it is read as Windows-1252 and each accented letter comes "
    "out as two characters; if the script is saved as UTF-8, write #pragma code_page(65001) before it",
    "ce texte est de l'UTF-8 valide, mais aucune page de codes ne le dit : il est lu en Windows-1252 et chaque lettre "
    "accentuée devient deux caractères ; si le script est enregistré en UTF-8, écrivez #pragma code_page(65001) "
    "avant lui",
    "BRC4003"};
inline constexpr MessageText kUtf8UnderCodePage{
    "this text is valid UTF-8, but code page {1} is in force, set by {2}: it is read as code page {1} and each "
    "accented letter comes out as two characters; if the file is saved as UTF-8, write #pragma code_page(65001) "
    "before it",
    "ce texte est de l'UTF-8 valide, mais la page de codes {1} est en vigueur, fixée par {2} : il est lu dans la "
    "page {1} et chaque lettre accentuée devient deux caractères ; si le fichier est enregistré en UTF-8, écrivez "
    "#pragma code_page(65001) avant lui",
    "BRC4012"};
inline constexpr MessageText kSetByCommandLine{"the command line", "la ligne de commande"};
inline constexpr MessageText kSetByPragma{"#pragma code_page on line {1} of {2}",
                                          "#pragma code_page à la ligne {1} de {2}"};
inline constexpr MessageText kBomUnderCodePage{
    "{1} starts with a UTF-8 byte-order mark, but code page {2} is in force: as Windows' compiler, ours reads it "
    "as code page {2}, and its accented letters come out as two characters each; write #pragma code_page(65001) "
    "at its start if it is UTF-8",
    "{1} commence par une marque d'ordre des octets UTF-8, mais la page de codes {2} est en vigueur : comme le "
    "compilateur de Windows, le nôtre le lit dans la page {2}, et chacune de ses lettres accentuées devient deux "
    "caractères ; écrivez #pragma code_page(65001) à son début s'il est en UTF-8",
    "BRC4013"};
inline constexpr MessageText kStringEndedThere{
    "{1}, and the quoted text before it ends at column {2}: {3}",
    "{1}, et le texte entre guillemets qui le précède se termine à la colonne {2} : {3}", "BRC3111"};
inline constexpr MessageText kMenuCommaMissing{
    "a ',' is missing before the {1}: Windows' compiler reads the item as if it were there, but llvm-rc and windres "
    "refuse it",
    "une « , » manque avant {1} : le compilateur de Windows lit l'élément comme si elle y était, mais llvm-rc et "
    "windres le refusent",
    "BRC4014"};
inline constexpr MessageText kMenuExItemWithoutText{
    "a MENUEX item starts with its quoted text, found '{1}'; for a separator write MENUITEM \"\", -1, MFT_SEPARATOR",
    "un élément de MENUEX commence par son texte entre guillemets, et non « {1} » ; pour un séparateur, écrivez "
    "MENUITEM \"\", -1, MFT_SEPARATOR",
    "BRC3412"};
inline constexpr MessageText kValueOutsideVersionInfo{
    "VALUE belongs in a BLOCK of a VERSIONINFO: write it between the BEGIN and END of its BLOCK",
    "VALUE appartient à un BLOCK d'une VERSIONINFO : écrivez-le entre le BEGIN et le END de son BLOCK", "BRC3613"};
inline constexpr MessageText kCannotReadFileLookedFor{"cannot read '{1}' (written {2}): {3}",
                                                      "impossible de lire « {1} » (écrit {2}) : {3}", "BRC5316"};
inline constexpr MessageText kStringsJoined{
    "the quoted strings of the {1} are joined, as Windows' compiler joins "
    "them; llvm-rc refuses more than one",
    "les chaînes entre guillemets sont jointes pour {1}, comme le "
    "compilateur de Windows les joint ; llvm-rc en refuse plus d'une",
    "BRC4004"};
// What the script was expected to hold; the parts below name the place.
inline constexpr MessageText kExpectedBlockBegin{"expected BEGIN or '{' to open the {1}, found {2}",
                                                 "BEGIN ou « { » est attendu pour ouvrir {1}, et non {2}", "BRC3101"};
inline constexpr MessageText kExpectedComma{"expected ',' before the {1}, found {2}",
                                            "« , » est attendue avant {1}, et non {2}", "BRC3102"};
inline constexpr MessageText kExpectedCloseParenthesis{"expected ')' in the {1}, found {2}",
                                                       "« ) » est attendue dans {1}, et non {2}", "BRC3103"};
inline constexpr MessageText kExpectedNumber{"expected a number for the {1}, found {2}",
                                             "un nombre est attendu pour {1}, et non {2}", "BRC3104"};
inline constexpr MessageText kExpectedNumberNotName{
    "expected a number for the {1}, found '{2}' (a name that no "
    "#define or included header defines)",
    "un nombre est attendu pour {1}, et non « {2} » (un nom "
    "qu'aucun #define ni en-tête inclus ne définit)",
    "BRC3105"};
inline constexpr MessageText kNotAValidNumber{"'{1}' is not a valid number", "« {1} » n'est pas un nombre valide",
                                              "BRC3106"};
inline constexpr MessageText kBlockOfNotClosed{"the block of {1} is not closed with END or '}'",
                                               "le bloc de {1} n'est pas fermé par END ou « } »", "BRC3107"};
inline constexpr MessageText kDataNotClosed{"the data of {1} is not closed with END or '}'",
                                            "les données de {1} ne sont pas fermées par END ou « } »", "BRC3108"};
inline constexpr MessageText kNamedBlockNotClosed{"the {1} is not closed with END or '}'",
                                                  "{1} n'est pas fermé par END ou « } »", "BRC3109"};
// Resource statements, names and types.
inline constexpr MessageText kBelongsToOneResource{
    "{1} belongs to one resource: write it after the resource's type, "
    "before its data",
    "{1} appartient à une ressource : écrivez-le après le type de la "
    "ressource, avant ses données",
    "BRC3201"};
inline constexpr MessageText kBlockMustFollowType{"a block ({1}) must follow a resource's type",
                                                  "un bloc ({1}) doit suivre le type d'une ressource", "BRC3202"};
inline constexpr MessageText kWideFileName{"a wide file name (L\"...\") is not supported; write \"file\"",
                                           "un nom de fichier large (L\"...\") n'est pas pris en charge ; écrivez "
                                           "\"fichier\"",
                                           "BRC3203"};
inline constexpr MessageText kExpectedFileName{"expected a file name after {1}, found {2}",
                                               "un nom de fichier est attendu après {1}, et non {2}", "BRC3204"};
inline constexpr MessageText kLanguageOwnLine{"LANGUAGE must be a line of its own before the resources it applies to",
                                              "LANGUAGE doit être une ligne à part avant les ressources auxquelles il "
                                              "s'applique",
                                              "BRC3205"};
inline constexpr MessageText kFileNameMustBeQuoted{
    "a file name with characters other than letters, digits, '_', '.', "
    "'/', '\\' and '-' must be quoted: write \"{1}\"",
    "un nom de fichier qui contient d'autres caractères que des "
    "lettres, des chiffres, « _ », « . », « / », « \\ » et « - » doit "
    "être entre guillemets : écrivez \"{1}\"",
    "BRC3206"};
inline constexpr MessageText kFileNameWithDash{
    "the file name {1} is not quoted: Windows' compiler reads it whole, but "
    "llvm-rc and windres stop at the '-'; write \"{1}\"",
    "le nom de fichier {1} n'est pas entre guillemets : le compilateur de "
    "Windows le lit en entier, mais llvm-rc et windres s'arrêtent au « - » "
    "; écrivez \"{1}\"",
    "BRC4002"};
inline constexpr MessageText kFileNameEmpty{"the file name is empty", "le nom de fichier est vide", "BRC3207"};
inline constexpr MessageText kFileNameWithQuote{"a file name cannot contain a quote",
                                                "un nom de fichier ne peut pas contenir de guillemet", "BRC3208"};

// Data, string tables and accelerators.
inline constexpr MessageText kHexLinesExpected{
    "{1} data in a block is lines of hex bytes in single quotes "
    "('42 4D ...'), found {2}",
    "les données de {1} dans un bloc sont des lignes d'octets "
    "hexadécimaux entre apostrophes ('42 4D ...'), et non {2}",
    "BRC3301"};
inline constexpr MessageText kNotAHexDigit{"'{1}' is not a hex digit", "« {1} » n'est pas un chiffre hexadécimal",
                                           "BRC3302"};
inline constexpr MessageText kOddHexDigits{"a line of hex bytes has an odd number of digits",
                                           "une ligne d'octets hexadécimaux a un nombre impair de chiffres", "BRC3303"};
inline constexpr MessageText kStringIdRange{"the string id {1} is out of range (0-65535)",
                                            "l'identifiant de chaîne {1} est hors limites (0-65535)", "BRC3304"};
inline constexpr MessageText kExpectedStringText{"expected the quoted text of string {1}, found {2}",
                                                 "le texte entre guillemets de la chaîne {1} est attendu, et non {2}",
                                                 "BRC3305"};
inline constexpr MessageText kExpectedDlgInclude{"expected the quoted name of a header after DLGINCLUDE, found {1}",
                                                 "le nom entre guillemets d'un en-tête est attendu après DLGINCLUDE, "
                                                 "et non {1}",
                                                 "BRC3306"};
inline constexpr MessageText kAcceleratorsNotClosed{"the ACCELERATORS are not closed with END or '}'",
                                                    "les ACCELERATORS ne sont pas fermés par END ou « } »", "BRC3307"};
inline constexpr MessageText kExpectedKey{"expected a key (\"a\", \"^C\" or a number) in the ACCELERATORS, found {1}",
                                          "une touche (\"a\", \"^C\" ou un nombre) est attendue dans les "
                                          "ACCELERATORS, et non {1}",
                                          "BRC3308"};
inline constexpr MessageText kExpectedAcceleratorOption{
    "expected VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT, "
    "found {1}",
    "VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL ou ALT est "
    "attendu, et non {1}",
    "BRC3309"};
inline constexpr MessageText kAsciiAndVirtkey{"an accelerator cannot be both ASCII and VIRTKEY",
                                              "un raccourci ne peut pas être à la fois ASCII et VIRTKEY", "BRC3310"};
inline constexpr MessageText kShiftControlVirtkeyOnly{"SHIFT and CONTROL apply to VIRTKEY accelerators only",
                                                      "SHIFT et CONTROL ne s'appliquent qu'aux raccourcis VIRTKEY",
                                                      "BRC3311"};
inline constexpr MessageText kAltOnAscii{
    "ALT on an ASCII accelerator: Windows' compiler keeps it, and so does this "
    "one, but llvm-rc refuses it; for Alt and a key, write the key with VIRTKEY",
    "ALT sur un raccourci ASCII : le compilateur de Windows le garde, celui-ci "
    "aussi, mais llvm-rc le refuse ; pour Alt et une touche, écrivez la touche "
    "avec VIRTKEY",
    "BRC4008"};
inline constexpr MessageText kControlCharacterVirtkey{"a control character (\"^X\") cannot be a VIRTKEY accelerator",
                                                      "un caractère de contrôle (\"^X\") ne peut pas être un "
                                                      "raccourci VIRTKEY",
                                                      "BRC3312"};
inline constexpr MessageText kNoControlCharacter{"\"^{1}\" is no control character: write ^ and a letter",
                                                 "\"^{1}\" n'est pas un caractère de contrôle : écrivez ^ et une "
                                                 "lettre",
                                                 "BRC3313"};
inline constexpr MessageText kAcceleratorKeyForm{"an accelerator's key is one character, or ^ and a letter",
                                                 "la touche d'un raccourci est un caractère, ou ^ et une lettre",
                                                 "BRC3314"};
// Tool bars and menus.
inline constexpr MessageText kButtonWidthRange{"the TOOLBAR's button width {1} does not fit its 16 bits",
                                               "la largeur de bouton {1} de la TOOLBAR ne tient pas dans ses 16 bits",
                                               "BRC3401"};
inline constexpr MessageText kButtonHeightRange{"the TOOLBAR's button height {1} does not fit its 16 bits",
                                                "la hauteur de bouton {1} de la TOOLBAR ne tient pas dans ses 16 "
                                                "bits",
                                                "BRC3402"};
inline constexpr MessageText kToolbarNotClosed{"the TOOLBAR's buttons are not closed with END or '}'",
                                               "les boutons de la TOOLBAR ne sont pas fermés par END ou « } »",
                                               "BRC3403"};
inline constexpr MessageText kTooManyButtons{"a TOOLBAR holds at most 65535 buttons and separators",
                                             "une TOOLBAR contient au plus 65535 boutons et séparateurs", "BRC3404"};
inline constexpr MessageText kExpectedButton{"expected BUTTON, SEPARATOR or END in the TOOLBAR, found {1}",
                                             "BUTTON, SEPARATOR ou END est attendu dans la TOOLBAR, et non {1}",
                                             "BRC3405"};
inline constexpr MessageText kButtonIdRange{"the button's command id {1} does not fit 16 bits",
                                            "l'identifiant de commande {1} du bouton ne tient pas dans 16 bits",
                                            "BRC3406"};
inline constexpr MessageText kMenuNotClosed{"this menu block is not closed with END or '}'",
                                            "ce bloc de menu n'est pas fermé par END ou « } »", "BRC3407"};
inline constexpr MessageText kExpectedMenuItem{"expected MENUITEM, POPUP or END in the menu, found {1}",
                                               "MENUITEM, POPUP ou END est attendu dans le menu, et non {1}",
                                               "BRC3408"};
inline constexpr MessageText kExpectedItemText{"expected the quoted text of the {1}, found {2}",
                                               "le texte entre guillemets du {1} est attendu, et non {2}", "BRC3409"};
inline constexpr MessageText kMenuItemIdRange{"the menu item id {1} does not fit the 16 bits of a MENU (use MENUEX)",
                                              "l'identifiant d'élément de menu {1} ne tient pas dans les 16 bits "
                                              "d'un MENU (utilisez MENUEX)",
                                              "BRC3410"};
inline constexpr MessageText kExpectedMenuOption{
    "expected CHECKED, GRAYED, HELP, INACTIVE, MENUBARBREAK or "
    "MENUBREAK, found {1}",
    "CHECKED, GRAYED, HELP, INACTIVE, MENUBARBREAK ou MENUBREAK est "
    "attendu, et non {1}",
    "BRC3411"};

// Names, types and languages of resources.
inline constexpr MessageText kExpectedLanguageComma{"expected ',' between the two numbers of LANGUAGE, found {1}",
                                                    "« , » est attendue entre les deux nombres de LANGUAGE, et non "
                                                    "{1}",
                                                    "BRC3501"};
inline constexpr MessageText kPrimaryLanguageRange{"the primary language {1} is out of range (0-{2})",
                                                   "la langue principale {1} est hors limites (0-{2})", "BRC3502"};
inline constexpr MessageText kSubLanguageRange{"the sublanguage {1} is out of range (0-{2})",
                                               "la sous-langue {1} est hors limites (0-{2})", "BRC3503"};
inline constexpr MessageText kNameStartsWithDigits{
    "the name '{1}' starts with digits: Windows' compiler makes it the name {2}, but llvm-rc and windres refuse it; a "
    "name that starts with a letter or '_' reads the same everywhere",
    "le nom « {1} » commence par des chiffres : le compilateur de Windows en fait le nom {2}, mais llvm-rc et windres "
    "le refusent ; un nom qui commence par une lettre ou « _ » se lit partout de la même façon",
    "BRC4015"};
inline constexpr MessageText kResourceIdRange{"the resource id {1} is out of range (0-65535)",
                                              "l'identifiant de ressource {1} est hors limites (0-65535)", "BRC3505"};
inline constexpr MessageText kResourceTypeRange{"the resource type {1} is out of range (0-65535)",
                                                "le type de ressource {1} est hors limites (0-65535)", "BRC3506"};
inline constexpr MessageText kEmptyQuotedName{
    "a quoted name or type must hold at least one character, and no zero character",
    "un nom ou un type entre guillemets doit contenir au moins un caractère, et aucun caractère nul", "BRC3512"};
inline constexpr MessageText kExpectedName{
    "expected a resource name (a number, an identifier or quoted text), found {1}",
    "un nom de ressource (un nombre, un identificateur ou un texte entre "
    "guillemets) est attendu, et non {1}",
    "BRC3509"};
inline constexpr MessageText kExpectedTypeAtEnd{"expected a resource type after the name, found the end of the script",
                                                "un type de ressource est attendu après le nom, et non la fin du "
                                                "script",
                                                "BRC3510"};
inline constexpr MessageText kExpectedType{
    "expected a resource type (a number, an identifier or quoted text), found {1}",
    "un type de ressource (un nombre, un identificateur ou un texte entre "
    "guillemets) est attendu, et non {1}",
    "BRC3511"};
// VERSIONINFO.
inline constexpr MessageText kVersionPartTooLarge{
    "the part {1} of {2} is above 65535: only its low 16 bits are kept "
    "({3}), as Windows' compiler does",
    "la partie {1} de {2} dépasse 65535 : seuls ses 16 bits de poids "
    "faible sont gardés ({3}), comme le fait le compilateur de Windows",
    "BRC4009"};
inline constexpr MessageText kNotAVersionStatement{
    "'{1}' is not a VERSIONINFO statement: FILEVERSION, PRODUCTVERSION, "
    "FILEFLAGSMASK, FILEFLAGS, FILEOS, FILETYPE or FILESUBTYPE, then "
    "BEGIN",
    "« {1} » n'est pas une instruction de VERSIONINFO : FILEVERSION, "
    "PRODUCTVERSION, FILEFLAGSMASK, FILEFLAGS, FILEOS, FILETYPE ou "
    "FILESUBTYPE, puis BEGIN",
    "BRC3602"};
inline constexpr MessageText kVersionBlockNotClosed{"this block of the VERSIONINFO is not closed with END or '}'",
                                                    "ce bloc de la VERSIONINFO n'est pas fermé par END ou « } »",
                                                    "BRC3603"};
inline constexpr MessageText kExpectedVersionEntry{"expected BLOCK, VALUE or END in the VERSIONINFO, found {1}",
                                                   "BLOCK, VALUE ou END est attendu dans la VERSIONINFO, et non {1}",
                                                   "BRC3604"};
inline constexpr MessageText kExpectedBlockName{"expected the quoted name of the BLOCK, found {1}",
                                                "le nom entre guillemets du BLOCK est attendu, et non {1}", "BRC3605"};
inline constexpr MessageText kExpectedValueName{"expected the quoted name of the VALUE, found {1}",
                                                "le nom entre guillemets de la VALUE est attendu, et non {1}",
                                                "BRC3606"};
inline constexpr MessageText kExpectedValueComma{"expected ',' after the name of the VALUE, found {1}",
                                                 "« , » est attendue après le nom de la VALUE, et non {1}", "BRC3607"};
inline constexpr MessageText kValueWithoutValue{"the VALUE \"{1}\" has no value", "la VALUE \"{1}\" n'a pas de valeur",
                                                "BRC3608"};
inline constexpr MessageText kValueMixed{
    "the VALUE \"{1}\" mixes numbers and strings: Windows' compiler writes a "
    "wrong length for it, which breaks the rest of the block; it is written as "
    "text whose length counts all its data",
    "la VALUE \"{1}\" mêle nombres et chaînes : le compilateur de Windows lui "
    "écrit une longueur fausse, qui casse la suite du bloc ; elle est écrite "
    "comme un texte dont la longueur compte toutes ses données",
    "BRC4010"};
inline constexpr MessageText kValueTooLarge{"the VALUE \"{1}\" is larger than 64 KB", "la VALUE \"{1}\" dépasse 64 Ko",
                                            "BRC3610"};
inline constexpr MessageText kVersionBlockTooLarge{"this BLOCK of the VERSIONINFO is larger than 64 KB",
                                                   "ce BLOCK de la VERSIONINFO dépasse 64 Ko", "BRC3611"};
inline constexpr MessageText kVersionInfoTooLarge{"the VERSIONINFO is larger than 64 KB",
                                                  "la VERSIONINFO dépasse 64 Ko", "BRC3612"};

// Dialogs.
inline constexpr MessageText kExpectedCaption{"expected the quoted text of the CAPTION, found {1}",
                                              "le texte entre guillemets de la CAPTION est attendu, et non {1}",
                                              "BRC3701"};
inline constexpr MessageText kExpectedDialogStatement{
    "expected a dialog statement (STYLE, EXSTYLE, CAPTION, CLASS, "
    "FONT, MENU, LANGUAGE, VERSION, CHARACTERISTICS) or BEGIN, "
    "found {1}",
    "une instruction de boîte de dialogue (STYLE, EXSTYLE, CAPTION, "
    "CLASS, FONT, MENU, LANGUAGE, VERSION, CHARACTERISTICS) ou BEGIN "
    "est attendue, et non {1}",
    "BRC3702"};
inline constexpr MessageText kDialogNotClosed{"the dialog's controls are not closed with END or '}'",
                                              "les contrôles de la boîte de dialogue ne sont pas fermés par END ou "
                                              "« } »",
                                              "BRC3703"};
inline constexpr MessageText kTooManyControls{"a dialog holds at most 65535 controls",
                                              "une boîte de dialogue contient au plus 65535 contrôles", "BRC3704"};
inline constexpr MessageText kExpectedFontFace{"expected the quoted face name of the FONT, found {1}",
                                               "le nom de police entre guillemets de la FONT est attendu, et non {1}",
                                               "BRC3705"};
inline constexpr MessageText kFontExtrasNeedDialogEx{
    "a FONT's weight, italic and character set belong to DIALOGEX, "
    "not DIALOG",
    "la graisse, l'italique et le jeu de caractères d'une FONT sont "
    "propres à DIALOGEX, pas à DIALOG",
    "BRC3706"};
inline constexpr MessageText kNotAControl{
    "'{1}' is not a dialog control: LTEXT, RTEXT, CTEXT, EDITTEXT, PUSHBUTTON, "
    "DEFPUSHBUTTON, CHECKBOX, AUTOCHECKBOX, STATE3, AUTO3STATE, RADIOBUTTON, "
    "AUTORADIOBUTTON, GROUPBOX, LISTBOX, COMBOBOX, SCROLLBAR, ICON, PUSHBOX or "
    "CONTROL",
    "« {1} » n'est pas un contrôle de boîte de dialogue : LTEXT, RTEXT, CTEXT, "
    "EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, CHECKBOX, AUTOCHECKBOX, STATE3, "
    "AUTO3STATE, RADIOBUTTON, AUTORADIOBUTTON, GROUPBOX, LISTBOX, COMBOBOX, "
    "SCROLLBAR, ICON, PUSHBOX ou CONTROL",
    "BRC3707"};
inline constexpr MessageText kControlIdRange{"the control id {1} does not fit the 16 bits of a DIALOG (use DIALOGEX)",
                                             "l'identifiant de contrôle {1} ne tient pas dans les 16 bits d'un DIALOG "
                                             "(utilisez DIALOGEX)",
                                             "BRC3708"};
inline constexpr MessageText kHelpIdNeedsDialogEx{"a control's help id belongs to DIALOGEX, not DIALOG",
                                                  "l'identifiant d'aide d'un contrôle est propre à DIALOGEX, pas à "
                                                  "DIALOG",
                                                  "BRC3709"};
inline constexpr MessageText kControlDataTooLarge{"a control's data is at most 65535 bytes",
                                                  "les données d'un contrôle font au plus 65535 octets", "BRC3710"};
inline constexpr MessageText kUnquotedClass{
    "the class {1} is not quoted: it is the predefined class {2}, as Windows' "
    "compiler reads it; llvm-rc and windres refuse it",
    "la classe {1} n'est pas entre guillemets : c'est la classe prédéfinie "
    "{2}, comme la lit le compilateur de Windows ; llvm-rc et windres la "
    "refusent",
    "BRC4005"};
inline constexpr MessageText kExpectedClass{"expected the control's class, a quoted name such as \"Button\", found {1}",
                                            "la classe du contrôle, un nom entre guillemets comme \"Button\", est "
                                            "attendue, et non {1}",
                                            "BRC3711"};
inline constexpr MessageText kClassRange{"the control class {1} does not fit 16 bits",
                                         "la classe de contrôle {1} ne tient pas dans 16 bits", "BRC3712"};
inline constexpr MessageText kNumberedClass{
    "Windows' compiler writes a class given by number in a form Windows cannot "
    "read, and the dialog fails to open; it is written here as the class atom "
    "{1}, which Windows reads",
    "le compilateur de Windows écrit une classe donnée par un nombre sous une "
    "forme que Windows ne sait pas lire, et la boîte de dialogue ne s'ouvre "
    "pas ; elle est écrite ici comme l'atome de classe {1}, que Windows lit",
    "BRC4006"};
inline constexpr MessageText kUnalignedControl{
    "Windows' compiler does not align the control after this one's data on "
    "4 bytes, so Windows reads it shifted; it is aligned here",
    "le compilateur de Windows n'aligne pas sur 4 octets le contrôle qui "
    "suit les données de celui-ci, si bien que Windows le lit décalé ; il "
    "est aligné ici",
    "BRC4007"};

// The places the messages above name: "expected a number for the {1}" and the like. English has its article in the
// message, French in the part.
inline constexpr MessageText kPartData{"data", "les données"};
inline constexpr MessageText kPartStringId{"string id", "l'identifiant de chaîne"};
inline constexpr MessageText kPartCommandId{"command id", "l'identifiant de commande"};
inline constexpr MessageText kPartButtonWidth{"TOOLBAR's button width", "la largeur des boutons de la TOOLBAR"};
inline constexpr MessageText kPartButtonHeight{"TOOLBAR's button height", "la hauteur des boutons de la TOOLBAR"};
inline constexpr MessageText kPartToolbarButtons{"TOOLBAR's buttons", "les boutons de la TOOLBAR"};
inline constexpr MessageText kPartButtonCommandId{"button's command id", "l'identifiant de commande du bouton"};
inline constexpr MessageText kPartItemText{"{1}'s text", "le texte du {1}"};
inline constexpr MessageText kPartMenuItemId{"MENUITEM's id", "l'identifiant du MENUITEM"};
inline constexpr MessageText kPartMenuItemIdNumber{"menu item id", "l'identifiant de l'élément de menu"};
inline constexpr MessageText kPartMenuItem{"menu item", "l'élément de menu"};
inline constexpr MessageText kPartPrimaryLanguage{"primary language of LANGUAGE", "la langue principale de LANGUAGE"};
inline constexpr MessageText kPartSubLanguage{"sublanguage of LANGUAGE", "la sous-langue de LANGUAGE"};
inline constexpr MessageText kPartNextDialogPlace{"next of the dialog's x, y, width and height",
                                                  "la suivante des valeurs x, y, largeur et hauteur de la boîte de "
                                                  "dialogue"};
inline constexpr MessageText kPartDialogPlace{"dialog's position and size",
                                              "la position et la taille de la boîte de dialogue"};
inline constexpr MessageText kPartDialogHelpId{"dialog's help id", "l'identifiant d'aide de la boîte de dialogue"};
inline constexpr MessageText kPartFontSize{"FONT size", "la taille de la FONT"};
inline constexpr MessageText kPartFontFace{"FONT's face name", "le nom de police de la FONT"};
inline constexpr MessageText kPartControlText{"control's text", "le texte du contrôle"};
inline constexpr MessageText kPartControlId{"control's id", "l'identifiant du contrôle"};
inline constexpr MessageText kPartControlClass{"control's class", "la classe du contrôle"};
inline constexpr MessageText kPartControlStyle{"control's style", "le style du contrôle"};
inline constexpr MessageText kPartControlPlace{"control's position and size", "la position et la taille du contrôle"};
inline constexpr MessageText kPartControlExStyle{"control's extended style", "le style étendu du contrôle"};
inline constexpr MessageText kPartControlHelpId{"control's help id", "l'identifiant d'aide du contrôle"};

// Compiling the resources: the files a script names, and what two statements may not share.
inline constexpr MessageText kCannotReadScript{"cannot read the script: {1}", "impossible de lire le script : {1}",
                                               "BRC5301"};
inline constexpr MessageText kCannotReadFile{"cannot read '{1}': {2}", "impossible de lire « {1} » : {2}", "BRC5302"};
inline constexpr MessageText kNotValidIcon{"'{1}' is not a valid icon file: {2}",
                                           "« {1} » n'est pas un fichier d'icône valide : {2}", "BRC5303"};
inline constexpr MessageText kNotValidCursor{"'{1}' is not a valid cursor file: {2}",
                                             "« {1} » n'est pas un fichier de curseur valide : {2}", "BRC5304"};
inline constexpr MessageText kNotValidBitmap{"'{1}' is not a valid bitmap file: {2}",
                                             "« {1} » n'est pas un fichier bitmap valide : {2}", "BRC5305"};
inline constexpr MessageText kNotValidFont{"'{1}' is not a valid font file: {2}",
                                           "« {1} » n'est pas un fichier de police valide : {2}", "BRC5306"};
inline constexpr MessageText kNotValidData{"'{1}' is not a valid data file: {2}",
                                           "« {1} » n'est pas un fichier de données valide : {2}", "BRC5307"};
inline constexpr MessageText kTooLargeForResource{"it is too large for a resource",
                                                  "il est trop grand pour une ressource", "BRC5308"};
inline constexpr MessageText kImageTooLarge{"it holds an image too large for a resource",
                                            "il contient une image trop grande pour une ressource", "BRC5309"};
inline constexpr MessageText kOverstatedImage{
    "'{1}': image {2} is said to be {3} bytes long, past the end of the "
    "file; Windows' compiler trusts that size, but the image is whole in "
    "its {4} bytes, which are the ones stored",
    "« {1} » : l'image {2} se dit longue de {3} octets, au-delà de la fin "
    "du fichier ; le compilateur de Windows croit cette taille, mais "
    "l'image est entière dans ses {4} octets, qui sont ceux enregistrés",
    "BRC4001"};
inline constexpr MessageText kTooManyImages{"too many icon and cursor images: their ids would pass 65535",
                                            "trop d'images d'icônes et de curseurs : leurs identifiants "
                                            "dépasseraient 65535",
                                            "BRC5310"};
inline constexpr MessageText kFontNeedsNumber{
    "a FONT needs a number as its name, not '{1}': Windows lists fonts by "
    "number in the font directory",
    "une FONT prend un nombre pour nom, et non « {1} » : Windows range les "
    "polices par numéro dans le répertoire des polices",
    "BRC5311"};
inline constexpr MessageText kTooManyFonts{"too many fonts: the font directory counts at most 65535",
                                           "trop de polices : le répertoire des polices en compte au plus 65535",
                                           "BRC5312"};
inline constexpr MessageText kDuplicateResource{
    "duplicate resource: {1} {2} in language {3} is already defined on "
    "line {4}",
    "ressource en double : {1} {2} en langue {3} est déjà définie à la "
    "ligne {4}",
    "BRC5313"};
inline constexpr MessageText kCursorImage{"cursor image", "image de curseur"};
inline constexpr MessageText kIconImage{"icon image", "image d'icône"};
inline constexpr MessageText kTypeNumber{"type {1}", "type n° {1}"};
inline constexpr MessageText kDuplicateString{"duplicate string: id {1} in language {2} is already defined on line {3}",
                                              "chaîne en double : l'identifiant {1} en langue {2} est déjà défini à "
                                              "la ligne {3}",
                                              "BRC5314"};
inline constexpr MessageText kStringTooLong{"string {1} is longer than 65535 characters",
                                            "la chaîne {1} dépasse 65535 caractères", "BRC5315"};

// Every entry above, for the checks that each has its two languages.
inline constexpr std::array<const MessageText*, 281> kEveryMessage = {
    &kUnknownOption,
    &kOptionNeedsValue,
    &kOptionGivenTwice,
    &kNotAMacroName,
    &kNoScript,
    &kTwoScripts,
    &kTooManyFiles,
    &kNo16Bit,
    &kBadCodePage,
    &kBadLanguage,
    &kBadMachine,
    &kBadFormat,
    &kBadDialect,
    &kResponseUnreadable,
    &kResponseTooDeep,
    &kTryHelp,
    &kVerboseReading,
    &kVerboseWriting,
    &kVerboseDecompiled,
    &kResourceLeftOut,
    &kVerboseDependencies,
    &kCompatibleBorland,
    &kCompatibleMicrosoft,
    &kCompatibleGnu,
    &kUsageBorland,
    &kUsageMicrosoft,
    &kUsageGnu,
    &kUsageSearchOrder,
    &kUsageNoSystemFolders,
    &kUsageCommon,
    &kFileNotFound,
    &kIsAFolder,
    &kNotARegularFile,
    &kCannotBeRead,
    &kEndedWhileRead,
    &kFileTooLarge,
    &kAccessDenied,
    &kDiskFull,
    &kReadOnlyDisk,
    &kFileInUse,
    &kOutOfMemory,
    &kSystemError,
    &kInternalError,
    &kNoIconHeader,
    &kCursorNotIcon,
    &kIconNotCursor,
    &kNoImage,
    &kIconDirectoryCut,
    &kImageBeyondEnd,
    &kImageTooShort,
    &kImageUnknownFormat,
    &kImagePlanesAndBits,
    &kNoBmSignature,
    &kBitmapTooShort,
    &kBitmapHeaderSize,
    &kBitmapHeaderCut,
    &kBitmapPlanes,
    &kFontTooShort,
    &kNotAFntFont,
    &kFontDevice,
    &kFontFace,
    &kFontNameBeyondEnd,
    &kFontNameNotEnded,
    &kOutputNotWritten,
    &kDependenciesNotWritten,
    &kCannotCreateIn,
    &kCannotWrite,
    &kCannotReplace,
    &kCannotOpenDevice,
    &kNoOutputFolder,
    &kEmptyOutputName,
    &kCannotReadStandardInput,
    &kResponseUtf16WithoutMark,
    &kCannotReadRes,
    &kInputNotARes,
    &kResHeaderWrong,
    &kResPastEnd,
    &kResTooSmall,
    &kResDataPastEnd,
    &kResNameNotEnded,
    &kResNoMarker,
    &kNotACoffObject,
    &kNotAnExecutable,
    &kHeadersPastEnd,
    &kNoResourceSection,
    &kSectionPastEnd,
    &kRelocationWrong,
    &kDirectoryOutside,
    &kDirectoryWrong,
    &kDirectoryPastEnd,
    &kDirectoryLoop,
    &kDirectoryTooLarge,
    &kDirectoryNameNotText,
    &kDirectoryLevel,
    &kDirectoryDataOutside,
    &kCoffTooLarge,
    &kDuplicateResourceInRes,
    &kCoffNameTooLong,
    &kCoffTableTooLarge,
    &kTooManyResources,
    &kUtf16WithoutMark,
    &kNulBytes,
    &kCommentNotClosed,
    &kUnknownDirective,
    &kDirectiveNeedsName,
    &kWithoutIf,
    &kAfterElse,
    &kIfWithoutEndif,
    &kErrorDirective,
    &kIfNeedsExpression,
    &kDefinedNeedsName,
    &kDefinedNotClosed,
    &kCodePagePragmaForm,
    &kNotACodePageNumber,
    &kCodePageUnsupported,
    &kLineForm,
    &kLineNumberFrom1,
    &kLineFileNotClosed,
    &kIncludeForm,
    &kIncludesTooDeep,
    &kIncludeNotFound,
    &kCannotReadInclude,
    &kMacroParametersNotClosed,
    &kMacroParameterNotName,
    &kMacrosTooDeep,
    &kMacroRecursive,
    &kMacroArgumentsNotClosed,
    &kMacroArgumentCount1,
    &kMacroArgumentCount,
    &kMacrosTooLong,
    &kBadExpression,
    &kUnexpected,
    &kQuestionWithoutColon,
    &kDivisionByZero,
    &kParenthesisNotClosed,
    &kValueMissing,
    &kNumberWithoutDigits,
    &kNotANumber,
    &kEmptyCharacter,
    &kCharacterEndsWithBackslash,
    &kEndOfScript,
    &kByte,
    &kQuoted,
    &kQuotedTextNotClosed,
    &kStrayHash,
    &kUtf8WithoutCodePage,
    &kStringsJoined,
    &kUtf8UnderCodePage,
    &kSetByCommandLine,
    &kSetByPragma,
    &kBomUnderCodePage,
    &kStringEndedThere,
    &kMenuCommaMissing,
    &kMenuExItemWithoutText,
    &kValueOutsideVersionInfo,
    &kCannotReadFileLookedFor,
    &kExpectedBlockBegin,
    &kExpectedComma,
    &kExpectedCloseParenthesis,
    &kExpectedNumber,
    &kExpectedNumberNotName,
    &kNotAValidNumber,
    &kBlockOfNotClosed,
    &kDataNotClosed,
    &kNamedBlockNotClosed,
    &kBelongsToOneResource,
    &kBlockMustFollowType,
    &kWideFileName,
    &kExpectedFileName,
    &kLanguageOwnLine,
    &kFileNameMustBeQuoted,
    &kFileNameWithDash,
    &kFileNameEmpty,
    &kFileNameWithQuote,
    &kHexLinesExpected,
    &kNotAHexDigit,
    &kOddHexDigits,
    &kStringIdRange,
    &kExpectedStringText,
    &kExpectedDlgInclude,
    &kAcceleratorsNotClosed,
    &kExpectedKey,
    &kExpectedAcceleratorOption,
    &kAsciiAndVirtkey,
    &kShiftControlVirtkeyOnly,
    &kAltOnAscii,
    &kControlCharacterVirtkey,
    &kNoControlCharacter,
    &kAcceleratorKeyForm,
    &kButtonWidthRange,
    &kButtonHeightRange,
    &kToolbarNotClosed,
    &kTooManyButtons,
    &kExpectedButton,
    &kButtonIdRange,
    &kMenuNotClosed,
    &kExpectedMenuItem,
    &kExpectedItemText,
    &kMenuItemIdRange,
    &kExpectedMenuOption,
    &kExpectedLanguageComma,
    &kPrimaryLanguageRange,
    &kSubLanguageRange,
    &kNameStartsWithDigits,
    &kResourceIdRange,
    &kResourceTypeRange,
    &kEmptyQuotedName,
    &kExpectedName,
    &kExpectedTypeAtEnd,
    &kExpectedType,
    &kVersionPartTooLarge,
    &kNotAVersionStatement,
    &kVersionBlockNotClosed,
    &kExpectedVersionEntry,
    &kExpectedBlockName,
    &kExpectedValueName,
    &kExpectedValueComma,
    &kValueWithoutValue,
    &kValueMixed,
    &kValueTooLarge,
    &kVersionBlockTooLarge,
    &kVersionInfoTooLarge,
    &kExpectedCaption,
    &kExpectedDialogStatement,
    &kDialogNotClosed,
    &kTooManyControls,
    &kExpectedFontFace,
    &kFontExtrasNeedDialogEx,
    &kNotAControl,
    &kControlIdRange,
    &kHelpIdNeedsDialogEx,
    &kControlDataTooLarge,
    &kUnquotedClass,
    &kExpectedClass,
    &kClassRange,
    &kNumberedClass,
    &kUnalignedControl,
    &kPartData,
    &kPartStringId,
    &kPartCommandId,
    &kPartButtonWidth,
    &kPartButtonHeight,
    &kPartToolbarButtons,
    &kPartButtonCommandId,
    &kPartItemText,
    &kPartMenuItemId,
    &kPartMenuItemIdNumber,
    &kPartMenuItem,
    &kPartPrimaryLanguage,
    &kPartSubLanguage,
    &kPartNextDialogPlace,
    &kPartDialogPlace,
    &kPartDialogHelpId,
    &kPartFontSize,
    &kPartFontFace,
    &kPartControlText,
    &kPartControlId,
    &kPartControlClass,
    &kPartControlStyle,
    &kPartControlPlace,
    &kPartControlExStyle,
    &kPartControlHelpId,
    &kCannotReadScript,
    &kCannotReadFile,
    &kNotValidIcon,
    &kNotValidCursor,
    &kNotValidBitmap,
    &kNotValidFont,
    &kNotValidData,
    &kTooLargeForResource,
    &kImageTooLarge,
    &kOverstatedImage,
    &kTooManyImages,
    &kFontNeedsNumber,
    &kTooManyFonts,
    &kDuplicateResource,
    &kCursorImage,
    &kIconImage,
    &kTypeNumber,
    &kDuplicateString,
    &kStringTooLong,
};

}  // namespace brcc::msg
