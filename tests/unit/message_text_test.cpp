// Formatting of the messages shown in the error box.
#include "framework/message_text.h"

#include <gtest/gtest.h>

using framework::FormatText;
using framework::TrimSystemDescription;
using framework::WithFinalFullStop;

TEST(MessageText, FormatFillsPlaceholdersInOrderWithoutExpandingArguments) {
    EXPECT_EQ(FormatText(L"Impossible d'ouvrir le fichier \"%s\". %s", {L"C:\\a b\\x.rc", L"Accès refusé"}),
              L"Impossible d'ouvrir le fichier \"C:\\a b\\x.rc\". Accès refusé");
    EXPECT_EQ(FormatText(L"%s-%s", {L"%s", L"y"}), L"%s-y");
    EXPECT_EQ(FormatText(L"%s and %s", {L"one"}), L"one and %s");
    EXPECT_EQ(FormatText(L"100% sûr%", {}), L"100% sûr%");
}

TEST(MessageText, SystemDescriptionLosesTrailingBlanksBreaksAndFullStops) {
    EXPECT_EQ(TrimSystemDescription(L"Le fichier spécifié est introuvable.\r\n"),
              L"Le fichier spécifié est introuvable");
    EXPECT_EQ(TrimSystemDescription(L"Accès refusé. . \t"), L"Accès refusé");
    EXPECT_EQ(TrimSystemDescription(L"v1.2 ok"), L"v1.2 ok");
    EXPECT_EQ(TrimSystemDescription(L" ..\r\n"), L"");
    EXPECT_EQ(TrimSystemDescription(L""), L"");
}

TEST(MessageText, FullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(WithFinalFullStop(L"Accès refusé"), L"Accès refusé.");
    EXPECT_EQ(WithFinalFullStop(L"code 5"), L"code 5.");
    EXPECT_EQ(WithFinalFullStop(L"capacité du mémo"), L"capacité du mémo.");
    EXPECT_EQ(WithFinalFullStop(L"dans le dossier/"), L"dans le dossier/.");
    EXPECT_EQ(WithFinalFullStop(L"Déjà fini."), L"Déjà fini.");
    EXPECT_EQ(WithFinalFullStop(L"Attention !"), L"Attention !");
    EXPECT_EQ(WithFinalFullStop(L"à compiler ! "), L"à compiler ! ");
    EXPECT_EQ(WithFinalFullStop(L"(entre parenthèses)"), L"(entre parenthèses)");
    EXPECT_EQ(WithFinalFullStop(L""), L"");
}
