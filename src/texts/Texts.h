#pragma once

#include <QString>

// Every user-visible text of the program in German (language 0) and English (language 1).
namespace vexa {

// The language index as stored may be anything; every use pulls it into 0..1 first.
int clampLanguage(int languageIndex);

enum class TextTable { Command, Message, Statistics };

// Menu entries and buttons. Slots not named here are empty.
enum class Cmd : int {
    FileMenu = 0,
    OpenFile = 1,
    SaveToFile = 2,
    Print = 3,
    ExitProgramMenu = 4,
    ExitProgram = 5,
    InterfaceMenu = 10,
    SelectInterface = 11,
    DataTransferMenu = 20,
    ReadFromDevice = 21,
    LanguageMenu = 30,
    English = 31,
    German = 32,
    HelpMenu = 40,
    Info = 41,
    Manual = 42,
    Save = 43,
    Delete = 44,
    KeyEvents = 45,
    Connect = 50,
    Disconnected = 51,
    Disconnect = 52,
    Connected = 53,
    Reconnect = 54,
    NotConnected = 55,
};

// Captions of the statistics list and the chart. Slots 0 and 18..20 are empty.
enum class Stat : int {
    Count = 1,
    Maximum = 2,
    Minimum = 3,
    Average = 4,
    StdDev = 5,
    Heading = 6,
    NotPossible = 7,      // " Statistik nicht möglich,"
    CauseOfDifferent = 8, // " da verschiedene"
    MeasurementUnits = 9, // " Messeinheiten "
    TargetValue = 10,
    Absolute = 11,
    LineOrBar = 12,
    Data = 13,
    Rule8020Ok = 14,
    PulseTime = 15,
    Values = 16,
    DurationMs = 17,
};

// Messages, captions and headings, in table order.
enum class Msg : int {
    NumberHeader,
    ValueHeader,
    UnitHeader,
    EnterDevicePort,
    NoFileSelected,
    SelectValidPort,
    FeMemory,
    NfeMemory,
    Online,
    CopyToClipboard,
    StatisticsHeading,
    FeMemory2,
    NfeMemoryAgain, // the same texts as NfeMemory, a slot of its own
    PleaseWait,
    WindowTitle,
    FeMemory1,
    DateLabel,
    Done,
    FeMemoryEmpty,
    NfeMemoryEmpty,
    MeasurementsFrame,
    CommandsFrame,
    DeviceInfoReadError,
    CopyDataTo,
    SelectPort,
    NumericInputRequired,
    DataDoesNotMatchTable,
    Memory1Empty,
    Memory2Empty,
    DeviceNotAvailable,
    ReadMemory,
    NoPortAvailable,
    Memory,
    MemoryEmpty, // status text: "Speicher leer" / "Memory empty"
    NoEntrySelected,
    MinimumAboveMaximum,
    TargetOutsideLimits,
    DeviceMemoryNotDeleted,
    ProjectData,
    Limits,
    DeleteRow,
    DeleteTable,
    Ready,
    Device,
    DeviceSoftwareVersion,
    TargetValue,
    DateTimeLabel,
    MemoryListEmpty, // memory list text: "Speicher leer" / "memory empty"
    PleaseDeleteTable,
    ExcelWithChartQuestion,
    ConfirmDeleteTable,
    ConfirmDeleteRow,
    OnlyPositiveValues,
    TooManyValues,
    SelectOneRowOnly,
    Stop,
    Continue,
    TargetRequiredFor8020,
    YesText,
    NoText,
    MinLimitAdjustedFrom,
    AdjustedTo,
    SendKeyEvents,
    KeyEventsExplanation,
    ActivateFunction,
    TargetApplicationLabel,
    ValuesIncluding,
    Date,
    LineEndChar,
    None,
    NumberShort,
    DateTime,
    DeviceOutOfRange,
    Battery,
    ProbeType,
    CheckBluetoothSettings,
    MemoryLetter, // "S" / "M" before a memory name
    ConnectToMac,
    PleaseTryAgain,
    SelectBluetoothDevice,
    ClockSet,
    SwitchOnAndReconnect,
    SelectMemory,
    NoMemoryAvailable,
    ProbeVersion,
    Update,
};

// Messages of this program that the tables above do not hold. "%1" stands for what the message names.
enum class Notice : int {
    FileNotSaved, // a measurement file could not be written: the file and the system's reason follow
    FileNotRead,  // a measurement file could not be read
    ManualNotFound,
    MemoryCut,            // %1: the values a table holds
    SeriesCountDisagrees, // %1: the samples the memory's header names, %2: the samples it holds
    MemoryTableCut,       // %1: the memories listed
    SimulatedGauges,      // the title of the window of simulated gauges
    NoGaugeConnected,
    Measure,
    Every,                 // before the seconds of the automatic live values
    ProgramFileNotWritten, // the system's reason comes first
    LeaveWithUnsavedReadings,
    ManualWithoutViewer,  // %1: where the manual lies
    SaveChart,            // the chart window's command that saves the chart as a picture or PDF
    ChartNotSaved,        // the file and the reason follow
    ExportSaved,          // %1: where an export's file lies, when no program opened it
    NotPrinted,           // %1: why
    PrinterRefused,       // %1: the printer
    PrintFileNotWritable, // %1: the file printed into
    PrintInterrupted,
    InspectionReport, // the PDF report's title, and its command
    SerialNumber,
    Period,            // the first and the last reading's time
    Rule8020On,        // %1: "ja" / "nein"
    Rule8020Band,      // %1 readings of %2 (%3 %) in the band below the target
    Rule8020BandOfOne, // the same of a single reading
    Rule8020Mean,      // %1 the mean, %2 the target
    Rule8020Limits,    // %1 readings outside the limits
    Rule8020LimitsOne, // a single reading outside the limits
    Created,           // %1: when the report was made
    ReportNotWritten,  // the file and the reason follow
    PdfReportCommand,
    TargetEnded,      // %1: the application keys were typed into
    TargetNotStarted, // %1: the application, %2: why
    TargetNotInFront, // %1: the application
    TargetWindowPick, // %1: the application
    TargetWindowNone, // %1: the application
    ApplicationWithSemicolon,
    KeysNeedX11,        // %1: why keys reach no other program
    KeyReadingNotTyped, // the log line of a reading that was not typed: %1 the value, %2 why
    // Why keys reach no other program here, for KeysNeedX11.
    KeysNoSender,
    KeysWayland,
    KeysNoDisplay,
    KeysNoXTest,
    KeysNoXkb,
    // Why the target did not start, for TargetNotStarted.
    StartNoProgram,
    StartWindowsPath,
    StartNotFound,
    StartNotExecutable,
    StartNotRun,
    KeysNotTyped, // why a reading was not typed, for KeyReadingNotTyped
    // Bluetooth diagnostics: the help menu's command, what it tells, and the report's lines. A line of a
    // failing check ends with what to do.
    CopyDiagnostics,
    DiagnosticsCopied,
    DiagProgram, // %1: name and version
    DiagQt,      // %1: the Qt running, %2: the Qt built with
    DiagBluezAnswers,
    DiagNoSystemBus,     // %1: why
    DiagBluezNotRunning, // %1: D-Bus's error
    DiagBluezRefused,    // %1: D-Bus's error, %2: the user
    DiagBluezSilent,
    DiagBluezFailed,        // %1: D-Bus's error
    DiagDaemonVersion,      // %1: the program, %2: its version
    DiagDaemonNotInstalled, // %1: the program's usual path
    DiagDaemonNotRun,       // %1: the program
    DiagDaemonNoAnswer,     // %1: the program
    DiagNoAdapter,
    DiagAdapter,          // %1: name, %2: address, %3: powered, %4: discoverable, %5: radio
    DiagAdapterDefault,   // %1: name, %2: address, ... as DiagAdapter; the system's default adapter
    DiagAdapterOff,       // %1: name
    DiagAdapterOffOther,  // %1: name, %2: address; an adapter other than the default
    DiagRadioSoftBlocked, // %1: name
    DiagRadioHardBlocked, // %1: name
    DiagYes,
    DiagNo,
    DiagNotKnown,
    DiagRadioFree,
    DiagRadioSoft,
    DiagRadioHard,
    DiagRadioNoEntry,
    DiagGroupMember,    // %1: the user
    DiagGroupSuperuser, // %1: the user
    DiagGroupNextLogin, // %1: the user
    DiagGroupMissing,   // %1: the user
    DiagNoGroup,        // %1: the user
    DiagLastGauge,      // %1: name, %2: address, %3: firmware
    DiagNoGaugeYet,
    DiagLogTail, // %1: the lines shown, %2: the log's lines
    DiagLogEmpty,
    // The adapter chosen with --adapter and in the link window.
    AdapterNotFound, // %1: the adapter asked for, %2: the adapters there are
    AdapterNotAsked, // %1: the adapter asked for, %2: how BlueZ failed
    NoAdapters,      // for AdapterNotFound's %2
    AdapterLabel,    // the link window's choice
    // The verdict of an inspection rule, line by line.
    RuleWeldTitle,  // the title of the rule on residual magnetism; the others are names of standards
    VerdictLine,    // %1: the rule (and material), %2: the verdict, %3: the readings judged, %4: the unit
    VerdictLineOne, // as VerdictLine, with one reading judged
    VerdictPassed,
    VerdictFailed,
    VerdictIncomplete, // nothing failed, but readings are left over
    VerdictNoReadings,
    ParametersLine, // %1: the parameters, "name value" joined by ", "
    CriterionLine,  // %1: the criterion's id, %2: pass or fail, %3: what it found
    CriterionPassed,
    CriterionFailed,
    FoundMean,          // %1: the mean, %2: the readings, %3: the least mean allowed
    FoundMeanOne,       // as FoundMean, of one reading
    FoundNoneBelow,     // %1: readings below, %2: readings judged, %3: the limit, %4: the lowest reading
    FoundNoneBelowOne,  // as FoundNoneBelow, of one reading judged
    FoundNoneAbove,     // %1: readings above, %2: readings judged, %3: the limit, %4: the highest reading
    FoundNoneAboveOne,  // as FoundNoneAbove, of one reading judged
    FoundBandShare,     // %1: in the band, %2: judged, %3: the band's start, %4: its end, %5: allowed
    FoundBandShareOne,  // as FoundBandShare, of one reading judged
    FoundShareBelow,    // %1: below, %2: judged, %3: the limit, %4: allowed
    FoundShareBelowOne, // as FoundShareBelow, of one reading judged
    FoundReadings,      // %1: readings, %2: required
    FoundReadingsOne,   // as FoundReadings, with one reading
    FoundSpots,         // %1: spots outside, %2: spots judged, %3: the limits
    FoundSpotsOne,      // as FoundSpots, of one spot judged
    FoundAreas,         // %1: areas outside, %2: areas judged, %3: the limits
    FoundAreasOne,      // as FoundAreas, of one area judged
    SpotMeans,          // %1: the lowest, %2: the highest spot mean
    SpotMean,           // %1: the mean of the one spot judged
    AreaMeans,          // %1: the lowest, %2: the highest area mean
    AreaMean,           // %1: the mean of the one area judged
    LimitsBetween,      // %1: the lower, %2: the upper limit
    LimitsAtLeast,      // %1: the lower limit
    LimitsAtMost,       // %1: the upper limit
    RowListed,          // %1: a row's number
    RowsListed,         // %1: row numbers
    RowsMore,           // %1: rows not listed
    GroupLine,          // %1: spot or area and its number, %2: its rows, %3: its mean, %4: its state
    SpotName,           // %1: the spot's number
    AreaName,           // %1: the area's number
    GroupWithin,
    GroupOutside,
    GroupIncomplete,
    NoteBelowScope,        // %1: the nominal thickness, %2: the least the rule is made for
    NoteIncompleteSpot,    // %1: the readings left over
    NoteIncompleteSpotOne, // one reading left over
    NoteIncompleteArea,    // %1: the spots left over
    NoteIncompleteAreaOne, // one spot left over
    NoteNoWholeSpot,
    ProgressReadings,     // %1: readings so far
    ProgressReadingsOne,  // as ProgressReadings, after one reading
    ProgressReadingsOf,   // %1: readings so far, %2: readings required
    ProgressOfOneReading, // as ProgressReadingsOf, with one reading required
    ProgressBelowNominal, // %1: readings below the nominal thickness
    ProgressFailsAlready, // %1: the criterion
    ProgressOneMoreFails, // %1: the criterion
    ProgressMoreFail,     // %1: the further low readings, %2: the criterion
    RuleUnitError,        // %1: the row, %2: its unit, %3: the rule, %4: the rule's unit
    RuleSection,          // heads the verdict of the rule chosen, in a report
    // The inspection window.
    InspectionCommand,
    InspectionTitle,
    InspectionRuleLabel,
    InspectionNoRule, // the rule choice that judges nothing
    InspectionUnitLabel,
    InspectionHint,
    InspectionVerdict, // %1: the verdict over every material
    InspectionClose,
    ParameterNdft,
    ParameterMinimum,
    ParameterMaximum,
    ParameterCorrection,
    ParameterArea,
    ParameterSpotReadings,
    ParameterSpots,
    ParameterLevel,
    ParameterNotValid,   // %1: the parameter, %2: the text entered
    ParameterMissing,    // %1: the parameter
    ParameterAboveBound, // %1: the parameter, %2: the one it may not exceed
    ParameterNoUnit,     // %1: the parameter, %2: the unit
    // The named values offered for a parameter: roughness classes and welding processes.
    ChoiceNone,
    ChoiceFine,
    ChoiceMedium,
    ChoiceCoarse,
    ChoiceArc,
    ChoiceFillerWire,
    ChoiceElectronBeam,
    ChoiceEntry, // %1: the named value, %2: its number and unit
};

class Texts {
public:
    static constexpr int CommandSlots = 56;
    static constexpr int MessageSlots = 86;
    static constexpr int StatisticsSlots = 21;

    // Empty for an unused slot or one outside the table; the language index is clamped.
    static QString text(TextTable table, int slot, int languageIndex);

    static QString command(Cmd slot, int languageIndex);
    static QString message(Msg slot, int languageIndex);
    static QString statistics(Stat slot, int languageIndex);
    static QString notice(Notice notice, int languageIndex);
};

} // namespace vexa
