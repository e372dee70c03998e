#include "texts/Texts.h"

#include <QStringView>
#include <algorithm>
#include <array>

namespace vexa {

namespace {

struct TextPair {
    QStringView german;
    QStringView english;

    QString in(int languageIndex) const {
        return (clampLanguage(languageIndex) == 0 ? german : english).toString();
    }
};

struct SlotText {
    int slot;
    TextPair text;
};

constexpr SlotText commandTexts[] = {
    {0, {u"Datei", u"File"}},
    {1, {u"Datei öffnen", u"Open Data File"}},
    {2, {u"In Datei speichern", u"Save to File"}},
    {3, {u"Drucken", u"Print"}},
    {4, {u"Programm beenden", u"Exit Program"}},
    {5, {u"Programmende", u"Exit program"}},
    {10, {u"Schnittstelle", u"Interface"}},
    {11, {u"Schnittstelle wählen", u"Select Interface"}},
    {20, {u"Datenübertragung", u"Data Transfer"}},
    {21, {u"Vom Gerät einlesen", u"Read Data from device"}},
    {30, {u"Sprache", u"Language"}},
    {31, {u"Englisch", u"English"}},
    {32, {u"Deutsch", u"German"}},
    {40, {u"Hilfe", u"Help"}},
    {41, {u"Info", u"Info"}},
    {42, {u"Bedienungsanleitung", u"Manual"}},
    {43, {u"Speichern", u"Save"}},
    {44, {u"Löschen", u"Delete"}},
    {45, {u"Tastaturevents", u"KeyEvents"}},
    {50, {u"Verbinden", u"Connect"}},
    {51, {u"Getrennt", u"Disconnected"}},
    {52, {u"Trennen", u"Disconnect"}},
    {53, {u"Verbunden", u"Connected"}},
    {54, {u"Wiederverbinden", u"ReConnect"}},
    {55, {u"Nicht Verbunden", u"not connected"}},
};

constexpr SlotText statisticsTexts[] = {
    {1, {u"Anzahl", u"Count"}},
    {2, {u"Maximum", u"Maximum"}},
    {3, {u"Minimum", u"Minimum"}},
    {4, {u"Mittel", u"Average"}},
    {5, {u"Std.Abw.", u"Std.Dev"}},
    {6, {u"Statistik:", u"Statistics:"}},
    {7, {u" Statistik nicht möglich,", u" Statistics not possible"}},
    {8, {u" da verschiedene", u" cause of different"}},
    {9, {u" Messeinheiten ", u" measurement units"}},
    {10, {u"Sollwert    ", u"Target value"}},
    {11, {u"abs", u"abs"}},
    {12, {u"Linie / Balken", u"Line / Bar"}},
    {13, {u"Daten", u"Data"}},
    {14, {u"Regel 80/20 ok:", u"rule 80/20 ok:"}},
    {15, {u"Impulszeit", u"pulse time"}},
    {16, {u"Werte", u"values"}},
    {17, {u"Dauer in ms", u"time in ms"}},
};

// Indexed by Msg.
constexpr std::array<TextPair, Texts::MessageSlots> messageTexts = {{
    {u"Nr.", u"No."},
    {u"Messwert", u"Value"},
    {u"Messeinheit", u"Unit"},
    {u"Geräte-Schnittstelle eingeben :", u"Enter COM-Port of device :"},
    {u"Keine Datei ausgewählt!", u"No file selected !"},
    {u"Bitte gültigen COM-Port wählen !", u"Please select valid COM-Port !"},
    {u"FE-Speicher", u"FE-Memory"},
    {u"NFE-Speicher", u"NFE-Memory"},
    {u"Online", u"Online"},
    {u"Daten in Clipboard kopieren", u"Copy data to clipboard"},
    {u"Statistik:", u"Statistics:"},
    {u"FE-Speicher2", u"FE-Memory2"},
    {u"NFE-Speicher", u"NFE-Memory"},
    {u"Bitte warten....", u"Please wait...."},
    {u"Vexa Connect V" VEXA_VERSION, u"Vexa Connect V" VEXA_VERSION},
    {u"FE-Speicher1", u"FE-Memory1"},
    {u"Datum:", u"Date:"},
    {u"Fertig", u"Done"},
    {u"FE-Speicher leer!", u"FE-Memory empty"},
    {u"NFE-Speicher leer!", u"NFE-Memory empty"},
    {u"Messwerte", u"Data"},
    {u"Befehle", u"Commands"},
    {u"Fehler beim Einlesen der Geraeteinformationen", u"Read device information Error"},
    {u"Daten kopieren nach", u"Copy data to"},
    {u"Bitte COM-Port auswählern", u"Please select COM-Port"},
    {u"Eingabe muss numerisch sein!", u"Numeric field required!"},
    {u"Werte passen nicht zum Tabellentyp !", u"Data doesn't match table type !"},
    {u"Speicher 1 ist leer", u"Memory 1 has no data"},
    {u"Speicher 2 ist leer", u"Memory 2 has no data"},
    {u"Gerät nicht verfügbar !", u"Device is not available !"},
    {u"Speicher einlesen", u"Read Memory"},
    {u"Kein Com-Port verfügbar!", u"No Com-Port available!"},
    {u"Speicher", u"Memory"},
    {u"Speicher leer", u"Memory empty"},
    {u"Kein Eintrag ausgewählt", u"No entry selected"},
    {u"Minimum größer als Maximum!", u"Minimum higher than maximum!"},
    {u"Sollwert muss zwischen Minimum und Maximum liegen!",
     u"Target value should be within Minimum and Maximum!"},
    {u"Achtung Gerätespeicher kann hier nicht gelöscht werden!",
     u"Warning! Device-Memory will not be deleted!"},
    {u"Projektdaten", u"Project data"},
    {u"Grenzwerte", u"Limits"},
    {u"Zeile löschen", u"Delete row"},
    {u"Tabelle löschen", u"Delete Tab"},
    {u"BEREIT", u"READY"},
    {u"Gerät", u"Device"},
    {u"Geräte Software Version", u"Device Softwareversion"},
    {u"Sollwert", u"Target value"},
    {u"Datum/Uhrzeit", u"Date/Time"},
    {u"Speicher leer", u"memory empty"},
    {u"Bitte Tabelle löschen", u"Please delete Table"},
    {u"Excel inklusive Chart erstellen?", u"Generate Excel Worksheet with chart?"},
    {u"Wollen Sie die Tabelle wirklich löschen?", u"Do you really want to delete this table?"},
    {u"Wollen Sie die markierte Zeile wirklich löschen?", u"Do you really want to delete this row?"},
    {u"Nur positive Werte erlaubt", u"Only positive digits allowed"},
    {u"Maximale Werteanzahl überschritten", u"Maximal number of data exceeded"},
    {u"Bitte nur eine Zeile auswählen", u"Please choose only one row"},
    {u"Stopp", u"Stop"},
    {u"Weiter", u"Continue"},
    {u"Eingabe Sollwert bei 80/20 Regel erforderlich", u"Please enter targe value when using 80/20 rule "},
    {u"Ja", u"Yes"},
    {u"Nein ", u"No"},
    {u"Min Limit  an 80/20 Regel angepasst von ", u"Min limit changed due to 80/20 rule from "},
    {u"nach", u"to"},
    {u"Tastatur Events senden", u"Send key events"},
    {u"Online Wert wird automatisch als Tastatur Event an andere Anwendung versendet",
     u"Online value will be automatically transfered to another application"},
    {u"Funktion aktivieren", u"Activate function"},
    {u"Anwendung an die gesendet wird", u"Application to which will be send"},
    {u"Werte inklusive", u"Values including"},
    {u"Datum", u"Date"},
    {u"Zeilenende Zeichen", u"End of line char"},
    {u"Keins", u"None"},
    {u"Nr", u"No"},
    {u"Datum Zeit", u"Date Time"},
    {u"Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet",
     u"Device out of bluetooth range or switched off"},
    {u"Batterie", u"Battery"},
    {u"Sondentyp", u"Probetype"},
    {u"Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden",
     u"Please check bluetooth settings or connect dongle"},
    {u"S", u"M"},
    {u"Verbinden mit MAC ", u"Connect to MAC "},
    {u"Bitte wiederholen", u"Please try again"},
    {u"Bluetooth Gerät zum Verbinden auswählen", u"Select Bluetooth device for connection"},
    {u"Datum/Zeit wurde aktualisert", u"Date/Time set done"},
    {u"Bitte Gerät einschalten, 3 Sekunden warten und Wiederverbinden drücken",
     u"Please switch on device ,wait 3 seconds and press Reconnect"},
    {u"Bitte einen Speicher auswählen", u"Please select a memory"},
    {u"Keine Speicher vorhanden", u"No memory available"},
    {u"Sondenversion", u"Probe version"},
    {u"aktualisieren", u"update"},
}};

static_assert(static_cast<int>(Msg::Update) + 1 == Texts::MessageSlots);

constexpr TextPair noticeTexts[] = {
    {u"Datei konnte nicht gespeichert werden: ", u"File could not be saved: "},
    {u"Datei konnte nicht gelesen werden: ", u"File could not be read: "},
    {u"Datei %1 wurde nicht gefunden", u"File %1 not found "},
    {u"Der Speicher hält mehr als %1 Werte; übernommen sind die ersten %1.",
     u"The memory holds more than %1 values; the first %1 were taken."},
    {u"Der Kopf des Speichers nennt %1 Werte, der Speicher hält %2.",
     u"The memory's header names %1 samples; the memory holds %2."},
    {u"Die Speicherliste des Geräts ist nicht lesbar: nach %1 Speichern ein Eintrag mit mehr als 32767 "
     u"Werten.",
     u"The gauge's memory list cannot be read: after %1 memories an entry with more than 32767 values."},
    {u"Simulierte Messgeräte", u"Simulated gauges"},
    {u"Kein Messgerät verbunden", u"No gauge connected"},
    {u"Messen", u"Measure"},
    {u"alle", u"every"},
    {u"Probleme beim Schreiben Datei Program.ini: ", u"problems writing file Program.ini: "},
    {u"Es gibt Messwerte, die nicht gespeichert sind. Programm trotzdem beenden?",
     u"Some readings have not been saved. Exit anyway?"},
    {u"Es ist kein Programm zum Öffnen von PDF-Dateien eingerichtet. Die Bedienungsanleitung liegt hier: %1",
     u"No program to open PDF files is set up. The manual is here: %1"},
    {u"Speichern als …", u"Save as …"},
    {u"Das Diagramm konnte nicht gespeichert werden: ", u"The chart could not be saved: "},
    {u"Gespeichert: %1", u"Saved: %1"},
    {u"Der Bericht wurde nicht gedruckt: %1", u"The report was not printed: %1"},
    {u"der Drucker %1 nimmt den Auftrag nicht an", u"the printer %1 does not take the job"},
    {u"die Datei %1 kann nicht geschrieben werden", u"the file %1 cannot be written"},
    {u"der Drucker hat den Auftrag abgebrochen", u"the printer broke the job off"},
    {u"Prüfbericht", u"Inspection report"},
    {u"Seriennummer", u"Serial number"},
    {u"Zeitraum", u"Period"},
    {u"80/20-Regel: %1", u"80/20 rule: %1"},
    {u"%1 von %2 Werten (%3 %) liegen zwischen 80 % des Sollwerts und dem Sollwert; erlaubt sind 20 %.",
     u"%1 of %2 readings (%3 %) lie between 80 % of the target and the target; 20 % are allowed."},
    {u"%1 von %2 Wert (%3 %) liegt zwischen 80 % des Sollwerts und dem Sollwert; erlaubt sind 20 %.",
     u"%1 of %2 reading (%3 %) lies between 80 % of the target and the target; 20 % are allowed."},
    {u"Mittel %1, Sollwert %2: das Mittel darf nicht unter dem Sollwert liegen.",
     u"Mean %1, target %2: the mean must not lie below the target."},
    {u"%1 Werte außerhalb der Grenzwerte; erlaubt ist keiner.",
     u"%1 readings outside the limits; none are allowed."},
    {u"1 Wert außerhalb der Grenzwerte; erlaubt ist keiner.",
     u"1 reading outside the limits; none is allowed."},
    {u"Erstellt %1 mit %2", u"Made %1 with %2"},
    {u"Der Bericht konnte nicht gespeichert werden: ", u"The report could not be saved: "},
    {u"PDF-Prüfbericht", u"PDF report"},
    {u"App %1 wurde beendet, bitte Pgm neu starten!", u"App %1 was terminated, please restart program!"},
    {u"%1 konnte nicht gestartet werden: %2", u"%1 could not be started: %2"},
    {u"%1 kommt nicht in den Vordergrund; Werte werden erst wieder gesendet, wenn es gelingt.",
     u"%1 does not come to the front; readings are sent again once it does."},
    {u"%1 hat kein eigenes Fenster geöffnet. In welches Fenster sollen die Werte geschrieben werden?",
     u"%1 opened no window of its own. Which window should the readings be typed into?"},
    {u"Kein Fenster von %1 gefunden; es werden keine Werte gesendet.",
     u"No window of %1 found; no readings are sent."},
    {u"Der Programmpfad darf kein \";\" enthalten.", u"The application path must not contain \";\"."},
    {u"Tastatur-Events erreichen hier kein anderes Programm (%1).",
     u"Key events reach no other program here (%1)."},
    {u"Nicht gesendet: %1 (%2)", u"Not sent: %1 (%2)"},
    {u"dieses Programm wurde ohne X11 gebaut", u"this program was built without X11"},
    {u"Wayland-Sitzung; nur X11-Programme nehmen sie an", u"a Wayland session; only X11 programs take them"},
    {u"kein X-Server erreichbar", u"no X server to reach"},
    {u"dem X-Server fehlt die Erweiterung XTEST", u"the X server lacks the XTEST extension"},
    {u"dem X-Server fehlt die Erweiterung XKB", u"the X server lacks the XKB extension"},
    {u"kein Programm angegeben", u"no program given"},
    {u"ein Windows-Pfad; bitte das Linux-Programm angeben", u"a Windows path; please name the Linux program"},
    {u"Programm nicht gefunden", u"program not found"},
    {u"keine ausführbare Datei", u"not an executable file"},
    {u"das System hat es nicht gestartet", u"the system did not run it"},
    {u"eine Taste ließ sich nicht senden", u"a key could not be sent"},
    {u"Diagnose kopieren", u"Copy diagnostics"},
    {u"Die Bluetooth-Diagnose wurde in die Zwischenablage kopiert.",
     u"The Bluetooth diagnostics were copied to the clipboard."},
    {u"Programm: %1", u"Program: %1"},
    {u"Qt: %1 (gebaut mit %2)", u"Qt: %1 (built with %2)"},
    {u"BlueZ (org.bluez) auf dem System-D-Bus: antwortet", u"BlueZ (org.bluez) on the system D-Bus: answers"},
    {u"BlueZ (org.bluez): kein System-D-Bus erreichbar (%1) – D-Bus starten: sudo systemctl start dbus",
     u"BlueZ (org.bluez): no system D-Bus to reach (%1) – start it: sudo systemctl start dbus"},
    {u"BlueZ (org.bluez) auf dem System-D-Bus: läuft nicht (%1) – sudo apt-get install bluez && sudo "
     u"systemctl enable --now bluetooth",
     u"BlueZ (org.bluez) on the system D-Bus: not running (%1) – sudo apt-get install bluez && sudo "
     u"systemctl "
     u"enable --now bluetooth"},
    {u"BlueZ (org.bluez) auf dem System-D-Bus: verweigert den Zugriff (%1) – sudo adduser %2 bluetooth, dann "
     u"neu anmelden",
     u"BlueZ (org.bluez) on the system D-Bus: refuses access (%1) – sudo adduser %2 bluetooth, then log in "
     u"again"},
    {u"BlueZ (org.bluez) auf dem System-D-Bus: antwortet nicht rechtzeitig – sudo systemctl restart "
     u"bluetooth",
     u"BlueZ (org.bluez) on the system D-Bus: does not answer in time – sudo systemctl restart bluetooth"},
    {u"BlueZ (org.bluez) auf dem System-D-Bus: Fehler (%1) – sudo systemctl restart bluetooth",
     u"BlueZ (org.bluez) on the system D-Bus: error (%1) – sudo systemctl restart bluetooth"},
    {u"BlueZ-Dienst: %1, Version %2", u"BlueZ daemon: %1, version %2"},
    {u"BlueZ-Dienst: %1 fehlt, Version nicht abfragbar – sudo apt-get install bluez",
     u"BlueZ daemon: %1 is missing, version not to be asked – sudo apt-get install bluez"},
    {u"BlueZ-Dienst: Version nicht abfragbar (%1 ließ sich nicht starten)",
     u"BlueZ daemon: version not to be asked (%1 could not be started)"},
    {u"BlueZ-Dienst: Version nicht abfragbar (%1 antwortete nicht)",
     u"BlueZ daemon: version not to be asked (%1 did not answer)"},
    {u"Bluetooth-Adapter: keiner – einen Adapter anschließen (ls /sys/class/bluetooth zeigt ihn dann als "
     u"hci0)",
     u"Bluetooth adapter: none – plug one in (ls /sys/class/bluetooth then shows it as hci0)"},
    {u"Adapter %1 (%2): eingeschaltet %3, sichtbar %4, Funk %5",
     u"Adapter %1 (%2): powered %3, discoverable %4, radio %5"},
    {u"Adapter %1 (%2, Standard): eingeschaltet %3, sichtbar %4, Funk %5",
     u"Adapter %1 (%2, default): powered %3, discoverable %4, radio %5"},
    {u"Adapter %1 ist ausgeschaltet – bluetoothctl power on",
     u"Adapter %1 is powered off – bluetoothctl power on"},
    {u"Adapter %1 ist ausgeschaltet – in bluetoothctl: select %2, dann power on",
     u"Adapter %1 is powered off – in bluetoothctl: select %2, then power on"},
    {u"Adapter %1: Funk per Software gesperrt – sudo rfkill unblock bluetooth",
     u"Adapter %1: radio soft blocked – sudo rfkill unblock bluetooth"},
    {u"Adapter %1: Funk per Schalter gesperrt – Bluetooth mit dem Schalter oder der Funktionstaste des "
     u"Rechners "
     u"einschalten",
     u"Adapter %1: radio hard blocked – switch Bluetooth on with the computer's switch or function key"},
    {u"ja", u"yes"},
    {u"nein", u"no"},
    {u"unbekannt", u"unknown"},
    {u"frei", u"free"},
    {u"per Software gesperrt", u"soft blocked"},
    {u"per Schalter gesperrt", u"hard blocked"},
    {u"ohne rfkill-Eintrag", u"without rfkill entry"},
    {u"Benutzer %1: in der Gruppe bluetooth", u"User %1: in the group bluetooth"},
    {u"Benutzer %1: root, braucht die Gruppe bluetooth nicht", u"User %1: root, needs no group bluetooth"},
    {u"Benutzer %1: in der Gruppe bluetooth erst ab der nächsten Anmeldung – ab- und wieder anmelden",
     u"User %1: in the group bluetooth only from the next login – log out and in again"},
    {u"Benutzer %1: nicht in der Gruppe bluetooth – sudo adduser %1 bluetooth, dann neu anmelden",
     u"User %1: not in the group bluetooth – sudo adduser %1 bluetooth, then log in again"},
    {u"Benutzer %1: keine Gruppe bluetooth auf diesem Rechner – sudo apt-get install bluez (legt sie an)",
     u"User %1: no group bluetooth on this machine – sudo apt-get install bluez (makes it)"},
    {u"Zuletzt verbundenes Messgerät: %1, Adresse %2, Firmware %3",
     u"Gauge connected last: %1, address %2, firmware %3"},
    {u"Zuletzt verbundenes Messgerät: noch keines", u"Gauge connected last: none yet"},
    {u"Transferprotokoll, die letzten %1 von %2 Zeilen:", u"Transfer log, the last %1 of %2 lines:"},
    {u"Transferprotokoll: leer", u"Transfer log: empty"},
    {u"Kein Bluetooth-Adapter \"%1\"; vorhanden: %2", u"No Bluetooth adapter \"%1\"; there are: %2"},
    {u"Bluetooth-Adapter \"%1\" nicht zu finden: BlueZ antwortet nicht (%2)",
     u"Bluetooth adapter \"%1\" cannot be looked up: BlueZ does not answer (%2)"},
    {u"keiner", u"none"},
    {u"Adapter:", u"Adapter:"},
    {u"Restmagnetismus vor dem Schweißen", u"Residual magnetism before welding"},
    {u"%1: %2 (%3 Messwerte in %4)", u"%1: %2 (%3 readings in %4)"},
    {u"%1: %2 (%3 Messwert in %4)", u"%1: %2 (%3 reading in %4)"},
    {u"BESTANDEN", u"PASSED"},
    {u"NICHT BESTANDEN", u"FAILED"},
    {u"UNVOLLSTÄNDIG", u"INCOMPLETE"},
    {u"keine Messwerte", u"no readings"},
    {u"Parameter: %1", u"Parameters: %1"},
    {u"%1 %2: %3", u"%1 %2: %3"},
    {u"ERFÜLLT", u"PASS"},
    {u"VERFEHLT", u"FAIL"},
    {u"Mittelwert %1 aus %2 Messwerten, mindestens %3", u"mean %1 of %2 readings, at least %3"},
    {u"Mittelwert %1 aus %2 Messwert, mindestens %3", u"mean %1 of %2 reading, at least %3"},
    {u"%1 von %2 Messwerten unter %3 (min %4)", u"%1 of %2 readings below %3 (min %4)"},
    {u"%1 von %2 Messwert unter %3 (min %4)", u"%1 of %2 reading below %3 (min %4)"},
    {u"%1 von %2 Messwerten über %3 (max %4)", u"%1 of %2 readings above %3 (max %4)"},
    {u"%1 von %2 Messwert über %3 (max %4)", u"%1 of %2 reading above %3 (max %4)"},
    {u"%1 von %2 Messwerten von %3 bis unter %4, höchstens %5 erlaubt",
     u"%1 of %2 readings from %3 to below %4, at most %5 allowed"},
    {u"%1 von %2 Messwert von %3 bis unter %4, höchstens %5 erlaubt",
     u"%1 of %2 reading from %3 to below %4, at most %5 allowed"},
    {u"%1 von %2 Messwerten unter %3, höchstens %4 erlaubt",
     u"%1 of %2 readings below %3, at most %4 allowed"},
    {u"%1 von %2 Messwert unter %3, höchstens %4 erlaubt", u"%1 of %2 reading below %3, at most %4 allowed"},
    {u"%1 Messwerte, mindestens %2 verlangt", u"%1 readings, at least %2 required"},
    {u"%1 Messwert, mindestens %2 verlangt", u"%1 reading, at least %2 required"},
    {u"%1 von %2 Spots außerhalb %3", u"%1 of %2 spots outside %3"},
    {u"%1 von %2 Spot außerhalb %3", u"%1 of %2 spot outside %3"},
    {u"%1 von %2 Flächen außerhalb %3", u"%1 of %2 areas outside %3"},
    {u"%1 von %2 Fläche außerhalb %3", u"%1 of %2 area outside %3"},
    {u"Spot-Mittelwerte %1 bis %2", u"spot means %1 to %2"},
    {u"Spot-Mittelwert %1", u"spot mean %1"},
    {u"Flächen-Mittelwerte %1 bis %2", u"area means %1 to %2"},
    {u"Flächen-Mittelwert %1", u"area mean %1"},
    {u"%1 bis %2", u"%1 to %2"},
    {u"mindestens %1", u"at least %1"},
    {u"höchstens %1", u"at most %1"},
    {u"Zeile %1", u"row %1"},
    {u"Zeilen %1", u"rows %1"},
    {u"… und %1 weitere", u"… and %1 more"},
    {u"%1, %2: Mittelwert %3, %4", u"%1, %2: mean %3, %4"},
    {u"Spot %1", u"Spot %1"},
    {u"Fläche %1", u"Area %1"},
    {u"innerhalb", u"within"},
    {u"außerhalb", u"outside"},
    {u"unvollständig, nicht beurteilt", u"incomplete, not judged"},
    {u"Hinweis: NDFT %1 liegt unter %2, dem kleinsten Wert, für den die Regel gemacht ist",
     u"Note: NDFT %1 is below %2, the least the rule is made for"},
    {u"Hinweis: die letzten %1 Messwerte ergeben keinen ganzen Spot und werden nicht beurteilt",
     u"Note: the last %1 readings make no whole spot and are not judged"},
    {u"Hinweis: der letzte Messwert ergibt keinen ganzen Spot und wird nicht beurteilt",
     u"Note: the last reading makes no whole spot and is not judged"},
    {u"Hinweis: die letzten %1 Spots ergeben keine ganze Fläche, ihr Mittelwert wird nicht beurteilt",
     u"Note: the last %1 spots make no whole area, their mean is not judged"},
    {u"Hinweis: der letzte Spot ergibt keine ganze Fläche, sein Mittelwert wird nicht beurteilt",
     u"Note: the last spot makes no whole area, its mean is not judged"},
    {u"Hinweis: noch kein ganzer Spot, also keine Fläche beurteilt",
     u"Note: no whole spot yet, so no area is judged"},
    {u"%1 Messwerte", u"%1 readings"},
    {u"%1 Messwert", u"%1 reading"},
    {u"%1 von %2 Messwerten", u"%1 of %2 readings"},
    {u"%1 von %2 Messwert", u"%1 of %2 reading"},
    {u"%1 unter NDFT", u"%1 below NDFT"},
    {u"%1 ist schon verfehlt", u"%1 fails already"},
    {u"ein weiterer niedriger Messwert verfehlt %1", u"one more low reading fails %1"},
    {u"%1 weitere niedrige Messwerte verfehlen %2", u"%1 more low readings fail %2"},
    {u"Zeile %1 ist in %2; %3 kann nicht in %4 beurteilt werden",
     u"Row %1 is in %2; %3 cannot be judged in %4"},
    {u"Prüfregel", u"Inspection rule"},
    {u"&Prüfung", u"&Inspection"},
    {u"Prüfung nach Regel", u"Inspection by rule"},
    {u"Regel:", u"Rule:"},
    {u"(keine)", u"(none)"},
    {u"Einheit:", u"Unit:"},
    {u"Ein Klick auf ein Kriterium zeigt seine Messwerte in der Tabelle.",
     u"A click on a criterion shows its readings in the table."},
    {u"Urteil: %1", u"Verdict: %1"},
    {u"Schließen", u"Close"},
    {u"NDFT", u"NDFT"},
    {u"Minimum", u"Minimum"},
    {u"Maximum", u"Maximum"},
    {u"Korrekturwert", u"Correction"},
    {u"Fläche", u"Area"},
    {u"Messwerte je Spot", u"Readings per spot"},
    {u"Spots je Fläche", u"Spots per area"},
    {u"Einschränkungsstufe", u"Restriction level"},
    {u"%1: \"%2\" ist kein gültiger Wert", u"%1: \"%2\" is not a valid value"},
    {u"%1 fehlt", u"%1 is missing"},
    {u"%1 liegt über %2", u"%1 is above %2"},
    {u"%1 ist in %2 nicht anzugeben", u"%1 cannot be stated in %2"},
    {u"keiner", u"none"},
    {u"fein", u"fine"},
    {u"mittel", u"medium"},
    {u"grob", u"coarse"},
    {u"Lichtbogen", u"arc"},
    {u"mit Zusatzdraht", u"with filler wire"},
    {u"Elektronenstrahl", u"electron beam"},
    {u"%1 (%2)", u"%1 (%2)"},
};

static_assert(std::size(noticeTexts) == static_cast<size_t>(Notice::ChoiceEntry) + 1);

template <size_t N> QString sparseText(const SlotText (&table)[N], int slot, int languageIndex) {
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [slot](const SlotText& entry) { return entry.slot == slot; });
    return found == std::end(table) ? QString() : found->text.in(languageIndex);
}

} // namespace

int clampLanguage(int languageIndex) {
    return std::clamp(languageIndex, 0, 1);
}

QString Texts::text(TextTable table, int slot, int languageIndex) {
    switch (table) {
    case TextTable::Command:
        return sparseText(commandTexts, slot, languageIndex);
    case TextTable::Statistics:
        return sparseText(statisticsTexts, slot, languageIndex);
    case TextTable::Message:
        if (slot < 0 || slot >= MessageSlots)
            return {};
        return messageTexts[static_cast<size_t>(slot)].in(languageIndex);
    }
    return {};
}

QString Texts::command(Cmd slot, int languageIndex) {
    return text(TextTable::Command, static_cast<int>(slot), languageIndex);
}

QString Texts::message(Msg slot, int languageIndex) {
    return text(TextTable::Message, static_cast<int>(slot), languageIndex);
}

QString Texts::statistics(Stat slot, int languageIndex) {
    return text(TextTable::Statistics, static_cast<int>(slot), languageIndex);
}

QString Texts::notice(Notice notice, int languageIndex) {
    return noticeTexts[static_cast<size_t>(notice)].in(languageIndex);
}

} // namespace vexa
