// Message lookup, formatting, channel letters and colour names against the compiled-in tables.
#include "extratexts.h"
#include "language.h"
#include "message_format.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Qt::StringLiterals;
using namespace zorvex;

namespace {

class Lookup : public ::testing::Test {
protected:
    void SetUp() override { LoadLanguageTable(Language::English); }
    void TearDown() override { LoadLanguageTable(Language::English); }
};

} // namespace

TEST_F(Lookup, PlaceholdersAreFilledOnlyWhenTheArgumentsMatch) {
    EXPECT_EQ(LookupMessage(u"ConnectingTo"_s), u"Connecting to %s..."_s);
    EXPECT_EQ(LookupMessageFmt(u"ConnectingTo"_s, {u"ttyUSB0"_s}), u"Connecting to ttyUSB0..."_s);
    EXPECT_EQ(LookupMessageFmt(u"ConnectedToOn"_s, {u"ZORVEXPRO 1.x.4"_s, u"/dev/ttyUSB0"_s}),
              u"Connected to ZORVEXPRO 1.x.4 on /dev/ttyUSB0"_s);
    EXPECT_EQ(LookupMessageFmt(u"ConnectedToOn"_s, {u"ZORVEXPRO 1.x.4"_s}), u"Connected to %s on %s"_s);
    EXPECT_EQ(LookupMessageFmt(u"NoData"_s, {u"surplus"_s}), u"No data."_s);
    EXPECT_EQ(LookupMessageFmt(u"DeviceDetected"_s, {u"ZORVEXPRO"_s}), u"Detected ZORVEXPRO:"_s);
}

#ifdef Q_OS_LINUX
// On Linux the texts that speak of Windows, the registry or the control panel have the system's
// own wording, in both languages, for the Bluetooth procedures' lookups and the window's lines.
TEST_F(Lookup, LinuxSpeaksOfTheSystemNotOfWindows) {
    struct Case {
        Language language;
        QString key;
        QStringList args;
        QString expected;
    };
    const Case cases[] = {
        {Language::English,
         u"WindowsError"_s,
         {u"5"_s, u"Access is denied."_s},
         u"System error 5: \"Access is denied.\"."_s},
        {Language::German,
         u"WindowsError"_s,
         {u"5"_s, u"Zugriff verweigert."_s},
         u"Systemfehler 5: \"Zugriff verweigert.\"."_s},
        {Language::English,
         u"TryColdStart"_s,
         {},
         u"Switch off power supply, then try again, possibly restart the computer."_s},
        {Language::German,
         u"TryColdStart"_s,
         {},
         u"Stromversorgung ausschalten, dann erneut versuchen, eventuell den Computer neu starten."_s},
    };
    for (const Case& c : cases) {
        LoadLanguageTable(c.language);
        EXPECT_EQ(LookupMessageFmt(c.key, c.args), c.expected);
    }
    // The advice after a search keeps its line break and speaks of the Bluetooth settings.
    for (const QString& key : {u"DiscoveryCompleted"_s, u"RemovalCompleted"_s}) {
        EXPECT_TRUE(LookupMessage(key, Language::English).contains(u"or use\r\nthe Bluetooth settings "_s))
            << key.toStdString();
        EXPECT_TRUE(LookupMessage(key, Language::German).contains(u"oder\r\ndie Bluetooth-Einstellungen "_s))
            << key.toStdString();
        EXPECT_FALSE(LookupMessage(key, Language::German).contains(u"Systemsteuerung"_s));
    }
    LoadLanguageTable(Language::German);
    EXPECT_EQ(ExtraText(u"RegistryRead"_s, {u"ttyUSB0"_s}), u"Gespeicherter Port: ttyUSB0"_s);
    LoadLanguageTable(Language::English);
    EXPECT_EQ(ExtraText(u"RegistryWritten"_s, {u"ttyUSB0"_s}), u"Port remembered: ttyUSB0"_s);
}
#endif

TEST_F(Lookup, ArgumentsAreInsertedAsTheyAre) {
    EXPECT_EQ(LookupMessageFmt(u"ConnectedTo"_s, {u"%s\\n%%"_s}), u"Connected to %s\\n%%"_s);
    EXPECT_EQ(LookupMessageFmt(u"ChecksumError"_s, {u"4660 != 4661"_s}),
              u"Checksum error in file (4660 != 4661)!"_s);
}

TEST_F(Lookup, UnknownKeysComeBackUnchanged) {
    EXPECT_EQ(LookupMessage(u"NoSuchMessage"_s), u"NoSuchMessage"_s);
    EXPECT_EQ(LookupMessage(u"mem.Caption"_s), u"mem.Caption"_s);
    EXPECT_EQ(LookupMessage(QString()), QString());
}

TEST_F(Lookup, LineBreakMarksBecomeCrLf) {
    const QStringList lines = LookupMessage(u"FlashDlgText"_s).split(u"\r\n"_s);
    EXPECT_EQ(lines, (QStringList{u"Updating the firmware will happen at your own risk."_s,
                                  u"A partially or faulty transmitted firmware is not"_s,
                                  u"executable. However, the sequence can be repeated."_s, QString(),
                                  u"Please note that all settings will be reset to their defaults"_s,
                                  u"(including the fan speeds)."_s, QString(), u"Proceed?"_s}));

    const QString pairing = LookupMessageFmt(u"IRLearnDlgText"_s, {u"ZORVEXPRO"_s});
    EXPECT_TRUE(pairing.contains(u"ZORVEXPRO"_s));
    EXPECT_TRUE(pairing.endsWith(u"\r\n\r\nProceed?"_s));
    EXPECT_FALSE(pairing.contains(u"\\n"_s));
}

TEST(FillPlaceholders, DoublePercentIsALiteralPercentAsInPrintf) {
    EXPECT_EQ(FillPlaceholders(u"100%%"_s, {}), u"100%"_s);
    EXPECT_EQ(FillPlaceholders(u"%s%% done"_s, {u"50"_s}), u"50% done"_s);
    EXPECT_EQ(FillPlaceholders(u"%%s"_s, {}), u"%s"_s);
    EXPECT_EQ(FillPlaceholders(QString(), {}), QString());
}

TEST(FillPlaceholders, FailsOnMismatchOrUnknownSequences) {
    EXPECT_EQ(FillPlaceholders(u"%s and %s"_s, {u"one"_s}), std::nullopt);
    EXPECT_EQ(FillPlaceholders(u"none"_s, {u"one"_s}), std::nullopt);
    EXPECT_EQ(FillPlaceholders(u"%d"_s, {u"1"_s}), std::nullopt);
    EXPECT_EQ(FillPlaceholders(u"50%"_s, {}), std::nullopt);
}

TEST_F(Lookup, ChannelLettersAndColourNames) {
    EXPECT_EQ(ChannelLetter(0) + ChannelLetter(1) + ChannelLetter(2) + ChannelLetter(3), u"WRGB"_s);
    EXPECT_EQ(ChannelLetter(-1), QString());
    EXPECT_EQ(ChannelLetter(4), QString());

    EXPECT_EQ(ColorText(0), u"Unnamed"_s);
    EXPECT_EQ(ColorText(1), u"PureWhite"_s);
    EXPECT_EQ(ColorText(6), u"MoonLight"_s);
    EXPECT_EQ(ColorText(15), u"Deep red"_s);
    EXPECT_EQ(ColorText(16), u"Unnamed"_s);
    EXPECT_EQ(ColorText(255), u"Unnamed"_s);
    EXPECT_EQ(ColorText(-1), u"Unnamed"_s);
}

TEST(ChannelColors, AreOpaqueTintsOfTheirColour) {
    for (const std::uint32_t colour : ChannelColors)
        EXPECT_EQ(colour >> 24, 0xFFu);
    EXPECT_EQ(ChannelColors[2], 0xFFFF8080u); // red
    EXPECT_EQ(ChannelColors[3], 0xFF80FF80u); // green
    EXPECT_EQ(ChannelColors[4], 0xFF8080FFu); // blue
}

TEST(ChooseLanguage, UnsetFollowsTheUsersLanguage) {
    EXPECT_EQ(ChooseLanguage(Language::Unset, QLocale::German), Language::German);
    EXPECT_EQ(ChooseLanguage(Language::Unset, QLocale::English), Language::English);
    EXPECT_EQ(ChooseLanguage(Language::Unset, QLocale::French), Language::English);
    EXPECT_EQ(ChooseLanguage(Language::English, QLocale::German), Language::English);
    EXPECT_EQ(ChooseLanguage(Language::German, QLocale::French), Language::German);
}

TEST_F(Lookup, GermanTableAfterLoadingGerman) {
    LoadLanguageTable(Language::German);

    EXPECT_EQ(CurrentLanguage(), Language::German);
    EXPECT_EQ(LookupMessage(u"ConnectingTo"_s), u"Verbinde mit %s..."_s);
    EXPECT_EQ(LookupMessageFmt(u"ConnectedToOn"_s, {u"ZORVEXPRO 1.x.4"_s, u"COM7"_s}),
              u"Verbunden mit ZORVEXPRO 1.x.4 an COM7"_s);
    EXPECT_EQ(ColorText(3), u"Gr\u00fcn"_s);
    EXPECT_EQ(ColorText(16), u"Unbenannt"_s);
    EXPECT_EQ(LookupMessage(u"NoSuchMessage"_s), u"NoSuchMessage"_s);
    EXPECT_EQ(CurrentLanguageTable().value(u"frmZORVEX"_s, u"btnOn0.Caption"_s), u"EIN"_s);
    EXPECT_EQ(LookupMessage(u"FlashDlgText"_s).count(u"\r\n"_s), 7);
}

TEST_F(Lookup, OtherThreadsReadTheLoadedTable) {
    LoadLanguageTable(Language::German);
    std::vector<QString> results(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&results, i] {
            for (int round = 0; round < 200; ++round)
                results[i] = LookupMessageFmt(u"DisconnectedFrom"_s, {u"COM%1"_s.arg(i)});
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (std::size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i], u"Verbindung zu COM%1 getrennt"_s.arg(i));
}
