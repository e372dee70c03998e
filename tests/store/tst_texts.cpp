#include "texts/Texts.h"

#include <QTest>
#include <algorithm>
#include <climits>
#include <iterator>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::TextTable)

namespace {

struct CommandRow {
    Cmd name;
    int slot;
    const char16_t* german;
    const char16_t* english;
};

struct StatisticsRow {
    Stat name;
    int slot;
    const char16_t* german;
    const char16_t* english;
};

struct MessageRow {
    Msg name;
    const char16_t* german;
    const char16_t* english;
};

const CommandRow commandRows[] = {
    {Cmd::FileMenu, 0, u"Datei", u"File"},
    {Cmd::OpenFile, 1, u"Datei öffnen", u"Open Data File"},
    {Cmd::SaveToFile, 2, u"In Datei speichern", u"Save to File"},
    {Cmd::Print, 3, u"Drucken", u"Print"},
    {Cmd::ExitProgramMenu, 4, u"Programm beenden", u"Exit Program"},
    {Cmd::ExitProgram, 5, u"Programmende", u"Exit program"},
    {Cmd::InterfaceMenu, 10, u"Schnittstelle", u"Interface"},
    {Cmd::SelectInterface, 11, u"Schnittstelle wählen", u"Select Interface"},
    {Cmd::DataTransferMenu, 20, u"Datenübertragung", u"Data Transfer"},
    {Cmd::ReadFromDevice, 21, u"Vom Gerät einlesen", u"Read Data from device"},
    {Cmd::LanguageMenu, 30, u"Sprache", u"Language"},
    {Cmd::English, 31, u"Englisch", u"English"},
    {Cmd::German, 32, u"Deutsch", u"German"},
    {Cmd::HelpMenu, 40, u"Hilfe", u"Help"},
    {Cmd::Info, 41, u"Info", u"Info"},
    {Cmd::Manual, 42, u"Bedienungsanleitung", u"Manual"},
    {Cmd::Save, 43, u"Speichern", u"Save"},
    {Cmd::Delete, 44, u"Löschen", u"Delete"},
    {Cmd::KeyEvents, 45, u"Tastaturevents", u"KeyEvents"},
    {Cmd::Connect, 50, u"Verbinden", u"Connect"},
    {Cmd::Disconnected, 51, u"Getrennt", u"Disconnected"},
    {Cmd::Disconnect, 52, u"Trennen", u"Disconnect"},
    {Cmd::Connected, 53, u"Verbunden", u"Connected"},
    {Cmd::Reconnect, 54, u"Wiederverbinden", u"ReConnect"},
    {Cmd::NotConnected, 55, u"Nicht Verbunden", u"not connected"},
};

const StatisticsRow statisticsRows[] = {
    {Stat::Count, 1, u"Anzahl", u"Count"},
    {Stat::Maximum, 2, u"Maximum", u"Maximum"},
    {Stat::Minimum, 3, u"Minimum", u"Minimum"},
    {Stat::Average, 4, u"Mittel", u"Average"},
    {Stat::StdDev, 5, u"Std.Abw.", u"Std.Dev"},
    {Stat::Heading, 6, u"Statistik:", u"Statistics:"},
    {Stat::NotPossible, 7, u" Statistik nicht möglich,", u" Statistics not possible"},
    {Stat::CauseOfDifferent, 8, u" da verschiedene", u" cause of different"},
    {Stat::MeasurementUnits, 9, u" Messeinheiten ", u" measurement units"},
    {Stat::TargetValue, 10, u"Sollwert    ", u"Target value"},
    {Stat::Absolute, 11, u"abs", u"abs"},
    {Stat::LineOrBar, 12, u"Linie / Balken", u"Line / Bar"},
    {Stat::Data, 13, u"Daten", u"Data"},
    {Stat::Rule8020Ok, 14, u"Regel 80/20 ok:", u"rule 80/20 ok:"},
    {Stat::PulseTime, 15, u"Impulszeit", u"pulse time"},
    {Stat::Values, 16, u"Werte", u"values"},
    {Stat::DurationMs, 17, u"Dauer in ms", u"time in ms"},
};

// In table order: the position of a row is its slot.
const MessageRow messageRows[] = {
    {Msg::NumberHeader, u"Nr.", u"No."},
    {Msg::ValueHeader, u"Messwert", u"Value"},
    {Msg::UnitHeader, u"Messeinheit", u"Unit"},
    {Msg::EnterDevicePort, u"Geräte-Schnittstelle eingeben :", u"Enter COM-Port of device :"},
    {Msg::NoFileSelected, u"Keine Datei ausgewählt!", u"No file selected !"},
    {Msg::SelectValidPort, u"Bitte gültigen COM-Port wählen !", u"Please select valid COM-Port !"},
    {Msg::FeMemory, u"FE-Speicher", u"FE-Memory"},
    {Msg::NfeMemory, u"NFE-Speicher", u"NFE-Memory"},
    {Msg::Online, u"Online", u"Online"},
    {Msg::CopyToClipboard, u"Daten in Clipboard kopieren", u"Copy data to clipboard"},
    {Msg::StatisticsHeading, u"Statistik:", u"Statistics:"},
    {Msg::FeMemory2, u"FE-Speicher2", u"FE-Memory2"},
    {Msg::NfeMemoryAgain, u"NFE-Speicher", u"NFE-Memory"},
    {Msg::PleaseWait, u"Bitte warten....", u"Please wait...."},
    {Msg::WindowTitle, u"Vexa Connect V1.17", u"Vexa Connect V1.17"},
    {Msg::FeMemory1, u"FE-Speicher1", u"FE-Memory1"},
    {Msg::DateLabel, u"Datum:", u"Date:"},
    {Msg::Done, u"Fertig", u"Done"},
    {Msg::FeMemoryEmpty, u"FE-Speicher leer!", u"FE-Memory empty"},
    {Msg::NfeMemoryEmpty, u"NFE-Speicher leer!", u"NFE-Memory empty"},
    {Msg::MeasurementsFrame, u"Messwerte", u"Data"},
    {Msg::CommandsFrame, u"Befehle", u"Commands"},
    {Msg::DeviceInfoReadError, u"Fehler beim Einlesen der Geraeteinformationen",
     u"Read device information Error"},
    {Msg::CopyDataTo, u"Daten kopieren nach", u"Copy data to"},
    {Msg::SelectPort, u"Bitte COM-Port auswählern", u"Please select COM-Port"},
    {Msg::NumericInputRequired, u"Eingabe muss numerisch sein!", u"Numeric field required!"},
    {Msg::DataDoesNotMatchTable, u"Werte passen nicht zum Tabellentyp !", u"Data doesn't match table type !"},
    {Msg::Memory1Empty, u"Speicher 1 ist leer", u"Memory 1 has no data"},
    {Msg::Memory2Empty, u"Speicher 2 ist leer", u"Memory 2 has no data"},
    {Msg::DeviceNotAvailable, u"Gerät nicht verfügbar !", u"Device is not available !"},
    {Msg::ReadMemory, u"Speicher einlesen", u"Read Memory"},
    {Msg::NoPortAvailable, u"Kein Com-Port verfügbar!", u"No Com-Port available!"},
    {Msg::Memory, u"Speicher", u"Memory"},
    {Msg::MemoryEmpty, u"Speicher leer", u"Memory empty"},
    {Msg::NoEntrySelected, u"Kein Eintrag ausgewählt", u"No entry selected"},
    {Msg::MinimumAboveMaximum, u"Minimum größer als Maximum!", u"Minimum higher than maximum!"},
    {Msg::TargetOutsideLimits, u"Sollwert muss zwischen Minimum und Maximum liegen!",
     u"Target value should be within Minimum and Maximum!"},
    {Msg::DeviceMemoryNotDeleted, u"Achtung Gerätespeicher kann hier nicht gelöscht werden!",
     u"Warning! Device-Memory will not be deleted!"},
    {Msg::ProjectData, u"Projektdaten", u"Project data"},
    {Msg::Limits, u"Grenzwerte", u"Limits"},
    {Msg::DeleteRow, u"Zeile löschen", u"Delete row"},
    {Msg::DeleteTable, u"Tabelle löschen", u"Delete Tab"},
    {Msg::Ready, u"BEREIT", u"READY"},
    {Msg::Device, u"Gerät", u"Device"},
    {Msg::DeviceSoftwareVersion, u"Geräte Software Version", u"Device Softwareversion"},
    {Msg::TargetValue, u"Sollwert", u"Target value"},
    {Msg::DateTimeLabel, u"Datum/Uhrzeit", u"Date/Time"},
    {Msg::MemoryListEmpty, u"Speicher leer", u"memory empty"},
    {Msg::PleaseDeleteTable, u"Bitte Tabelle löschen", u"Please delete Table"},
    {Msg::ExcelWithChartQuestion, u"Excel inklusive Chart erstellen?",
     u"Generate Excel Worksheet with chart?"},
    {Msg::ConfirmDeleteTable, u"Wollen Sie die Tabelle wirklich löschen?",
     u"Do you really want to delete this table?"},
    {Msg::ConfirmDeleteRow, u"Wollen Sie die markierte Zeile wirklich löschen?",
     u"Do you really want to delete this row?"},
    {Msg::OnlyPositiveValues, u"Nur positive Werte erlaubt", u"Only positive digits allowed"},
    {Msg::TooManyValues, u"Maximale Werteanzahl überschritten", u"Maximal number of data exceeded"},
    {Msg::SelectOneRowOnly, u"Bitte nur eine Zeile auswählen", u"Please choose only one row"},
    {Msg::Stop, u"Stopp", u"Stop"},
    {Msg::Continue, u"Weiter", u"Continue"},
    {Msg::TargetRequiredFor8020, u"Eingabe Sollwert bei 80/20 Regel erforderlich",
     u"Please enter targe value when using 80/20 rule "},
    {Msg::YesText, u"Ja", u"Yes"},
    {Msg::NoText, u"Nein ", u"No"},
    {Msg::MinLimitAdjustedFrom, u"Min Limit  an 80/20 Regel angepasst von ",
     u"Min limit changed due to 80/20 rule from "},
    {Msg::AdjustedTo, u"nach", u"to"},
    {Msg::SendKeyEvents, u"Tastatur Events senden", u"Send key events"},
    {Msg::KeyEventsExplanation,
     u"Online Wert wird automatisch als Tastatur Event an andere Anwendung versendet",
     u"Online value will be automatically transfered to another application"},
    {Msg::ActivateFunction, u"Funktion aktivieren", u"Activate function"},
    {Msg::TargetApplicationLabel, u"Anwendung an die gesendet wird", u"Application to which will be send"},
    {Msg::ValuesIncluding, u"Werte inklusive", u"Values including"},
    {Msg::Date, u"Datum", u"Date"},
    {Msg::LineEndChar, u"Zeilenende Zeichen", u"End of line char"},
    {Msg::None, u"Keins", u"None"},
    {Msg::NumberShort, u"Nr", u"No"},
    {Msg::DateTime, u"Datum Zeit", u"Date Time"},
    {Msg::DeviceOutOfRange, u"Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet",
     u"Device out of bluetooth range or switched off"},
    {Msg::Battery, u"Batterie", u"Battery"},
    {Msg::ProbeType, u"Sondentyp", u"Probetype"},
    {Msg::CheckBluetoothSettings, u"Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden",
     u"Please check bluetooth settings or connect dongle"},
    {Msg::MemoryLetter, u"S", u"M"},
    {Msg::ConnectToMac, u"Verbinden mit MAC ", u"Connect to MAC "},
    {Msg::PleaseTryAgain, u"Bitte wiederholen", u"Please try again"},
    {Msg::SelectBluetoothDevice, u"Bluetooth Gerät zum Verbinden auswählen",
     u"Select Bluetooth device for connection"},
    {Msg::ClockSet, u"Datum/Zeit wurde aktualisert", u"Date/Time set done"},
    {Msg::SwitchOnAndReconnect, u"Bitte Gerät einschalten, 3 Sekunden warten und Wiederverbinden drücken",
     u"Please switch on device ,wait 3 seconds and press Reconnect"},
    {Msg::SelectMemory, u"Bitte einen Speicher auswählen", u"Please select a memory"},
    {Msg::NoMemoryAvailable, u"Keine Speicher vorhanden", u"No memory available"},
    {Msg::ProbeVersion, u"Sondenversion", u"Probe version"},
    {Msg::Update, u"aktualisieren", u"update"},
};

// Rows for every slot of a table: unused slots expect empty texts and carry -1 as their name.
template <typename Row>
void addSparseRows(const char* tableName, TextTable table, int slotCount, const Row* first, const Row* last) {
    for (int slot = 0; slot < slotCount; ++slot) {
        const Row* row = std::find_if(first, last, [slot](const Row& r) { return r.slot == slot; });
        const bool used = row != last;
        QTest::addRow("%s %d", tableName, slot) << table << slot << (used ? static_cast<int>(row->name) : -1)
                                                << (used ? QString::fromUtf16(row->german) : QString())
                                                << (used ? QString::fromUtf16(row->english) : QString());
    }
}

} // namespace

class TestTexts : public QObject {
    Q_OBJECT

private slots:
    void everySlotInBothLanguages_data() {
        QTest::addColumn<TextTable>("table");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("name");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");

        addSparseRows("command", TextTable::Command, Texts::CommandSlots, std::begin(commandRows),
                      std::end(commandRows));
        addSparseRows("statistics", TextTable::Statistics, Texts::StatisticsSlots, std::begin(statisticsRows),
                      std::end(statisticsRows));
        QCOMPARE(std::size(messageRows), size_t(Texts::MessageSlots));
        for (int slot = 0; slot < Texts::MessageSlots; ++slot) {
            const MessageRow& row = messageRows[slot];
            QTest::addRow("message %d", slot)
                << TextTable::Message << slot << static_cast<int>(row.name) << QString::fromUtf16(row.german)
                << QString::fromUtf16(row.english);
        }
    }

    void everySlotInBothLanguages() {
        QFETCH(TextTable, table);
        QFETCH(int, slot);
        QFETCH(int, name);
        QFETCH(QString, german);
        QFETCH(QString, english);

        QCOMPARE(Texts::text(table, slot, 0), german);
        QCOMPARE(Texts::text(table, slot, 1), english);
        if (name >= 0)
            QCOMPARE(name, slot);
    }

    void namedAccessorsReadTheirSlot() {
        QCOMPARE(Texts::command(Cmd::Disconnect, 1), QStringLiteral("Disconnect"));
        QCOMPARE(Texts::statistics(Stat::TargetValue, 0), QStringLiteral("Sollwert    "));
        QCOMPARE(Texts::message(Msg::NoText, 0), QStringLiteral("Nein "));
        QCOMPARE(Texts::message(Msg::MemoryEmpty, 1), QStringLiteral("Memory empty"));
        QCOMPARE(Texts::message(Msg::MemoryListEmpty, 1), QStringLiteral("memory empty"));
    }

    void languageIsClamped_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("clamped");

        QTest::newRow("German") << 0 << 0;
        QTest::newRow("English") << 1 << 1;
        QTest::newRow("2") << 2 << 1;
        QTest::newRow("largest") << INT_MAX << 1;
        QTest::newRow("-1") << -1 << 0;
        QTest::newRow("smallest") << INT_MIN << 0;
    }

    void languageIsClamped() {
        QFETCH(int, language);
        QFETCH(int, clamped);

        QCOMPARE(clampLanguage(language), clamped);
        QCOMPARE(Texts::message(Msg::YesText, language), Texts::message(Msg::YesText, clamped));
        QCOMPARE(Texts::command(Cmd::NotConnected, language), Texts::command(Cmd::NotConnected, clamped));
        QCOMPARE(Texts::statistics(Stat::DurationMs, language), Texts::statistics(Stat::DurationMs, clamped));
    }

    void slotsOutsideTheTablesAreEmpty_data() {
        QTest::addColumn<TextTable>("table");
        QTest::addColumn<int>("slot");

        QTest::newRow("command -1") << TextTable::Command << -1;
        QTest::newRow("command 56") << TextTable::Command << 56;
        QTest::newRow("message -1") << TextTable::Message << -1;
        QTest::newRow("message 86") << TextTable::Message << 86;
        QTest::newRow("message largest") << TextTable::Message << INT_MAX;
        QTest::newRow("statistics -1") << TextTable::Statistics << -1;
        QTest::newRow("statistics 21") << TextTable::Statistics << 21;
    }

    void slotsOutsideTheTablesAreEmpty() {
        QFETCH(TextTable, table);
        QFETCH(int, slot);

        QVERIFY(Texts::text(table, slot, 0).isNull());
        QVERIFY(Texts::text(table, slot, 1).isNull());
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
