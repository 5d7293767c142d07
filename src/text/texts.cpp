#include "text/texts.h"

#include <algorithm>
#include <iterator>

namespace telmora {

namespace {

struct Entry {
    int id;
    const char* text;
};

// Every numbered text of the program, sorted by number. Captions and file-name
// parts 1-108, dialog texts 200-331, menus 500-999, hints 1000-1055, notices
// 6001-8999, errors 9001-9999. The texts are shown exactly as written here
// (double blanks and trailing blanks included).
// clang-format off
constexpr Entry kStrings[] = {
    {1,    "Telmora"},
    {4,    "Copyright (C) 2026 the Telmora developers"},
    {6,    "~ODMDL"},
    {7,    "\\ORLANDL.ini"},
    {60,   "Norvane DM-Series"},
    {100,  "Digital Meter"},
    {101,  "Analog Meter"},
    {102,  "Comparator"},
    {103,  "Data list"},
    {104,  "Graphical Recorder"},
    {105,  "Graphical viewer"},
    {106,  "Acquisition Interval option"},
    {107,  "Exporting Data Logger"},
    {108,  "Data Logger"},
    {200,  "Acquisition Mode"},
    {201,  "Manual"},
    {202,  "Automatic"},
    {203,  "Full Speed"},
    {204,  "Customization..."},
    {205,  "Interval in second(s)"},
    {206,  "Input an integer value ? "},
    {307,  "Export"},
    {308,  "MetaFile"},
    {309,  "BitMap"},
    {310,  "Text/Data Only"},
    {311,  "Destination"},
    {312,  "ClipBoard"},
    {313,  "File"},
    {314,  "Browse"},
    {315,  "Printer"},
    {316,  "Page Scope"},
    {317,  "All Pages"},
    {318,  "This Page"},
    {319,  "Page"},
    {320,  "From"},
    {321,  "To"},
    {322,  "Object Size"},
    {323,  "No Specific Size"},
    {324,  "Pixels"},
    {325,  "Millimeters"},
    {326,  "Inches"},
    {327,  "Points"},
    {328,  "Width"},
    {329,  "/"},
    {330,  "Units"},
    {331,  "Cancel"},
    {500,  "-"},
    {501,  "&File"},
    {502,  "&Open..."},
    {503,  "Save &As..."},
    {506,  "Printer Set&up..."},
    {507,  "&Import data from DMM"},
    {508,  "&Clear"},
    {509,  "E&xit"},
    {600,  "&Link"},
    {601,  "Un&link"},
    {610,  "&Edit"},
    {611,  "Clear all data"},
    {631,  "&Window"},
    {632,  "&Tile"},
    {633,  "&Digital Meter"},
    {634,  "&Analog Meter"},
    {635,  "&Comparator"},
    {636,  "&Graphical Recorder"},
    {637,  "Data &List"},
    {701,  "&Port"},
    {703,  "C&OM port"},
    {704,  "&USB port"},
    {761,  "&Acquisition"},
    {762,  "Star&t"},
    {763,  "Sto&p"},
    {764,  "&Manual"},
    {765,  "&Interval..."},
    {802,  "F&irst page"},
    {803,  "Page &Up"},
    {804,  "Page &Down"},
    {805,  "&Last page"},
    {806,  "&Print this page ..."},
    {807,  "E&xport ..."},
    {831,  "&View"},
    {832,  "Graph Line &Color"},
    {833,  "&Fit all data"},
    {834,  "&Undo Zooming"},
    {996,  "&Help"},
    {999,  "&About..."},
    {1000, "Link to DMM"},
    {1001, "Unlink DMM"},
    {1010, "Windows tile"},
    {1011, "Digital meter"},
    {1012, "Analog meter"},
    {1013, "Comparator"},
    {1014, "Graphical Recorder"},
    {1015, "Data List"},
    {1020, "Port selection..."},
    {1031, "About"},
    {1040, "Acquisition start"},
    {1041, "Acquisition stop"},
    {1042, "Open file..."},
    {1043, "Save file..."},
    {1044, "Print this page"},
    {1045, "Clear record"},
    {1046, "Interval option..."},
    {1047, "Manual acquisition"},
    {1048, "First page"},
    {1049, "Page up"},
    {1050, "Page down"},
    {1051, "Last page"},
    {1052, "Fit all data"},
    {1053, "Undo Zooming"},
    {1054, "Export..."},
    {1055, "Import data from DMM"},
    {6001, "All existing data in buffer will be destroyed."},
    {6004, "Translating..."},
    {7001, "Data Logging ..."},
    {7002, "Data in buffer : %d"},
    {7003, "Page : %d of %d"},
    {7004, "Close"},
    {7005, "Do you want to save the data to a file before exit ?"},
    {7006, "Will re-try automatically in 3 seconds."},
    {7009, "(Will continue automatically in 3 seconds.)"},
    {7999, "Reading Data : %d of %d"},
    {8000, "The battery power of the DMM is low."},
    {8002, "Do you really want to clear the data in buffer ?"},
    {8003, "Buffer has data."},
    {8004, "No data received."},
    {8005, "Reading data from selected file. Please wait ..."},
    {8006, "Adding data into buffer. Please wait..."},
    {8008, "First page."},
    {8009, "Last page."},
    {8010, "Do you really want to proceed?"},
    {8012, "Acquiring  data from DMM ... please wait ..."},
    {8013, "Processing data ... please wait ..."},
    {8015, "Only the complete sessions of the meter memory could be read."},
    {8999, "Warning[W%d]"},
    {9001, "The file is damaged or is not a file of this program."},
    {9002, "You must link to the DMM by clicking the link button before starting data logging."},
    {9003, "Unable to create file for real time temporary storage in hard disk."},
    {9004, "File open error."},
    {9005, "File save error."},
    {9006, "Insufficient system memory !"},
    {9007, "Not a valid floating point value !"},
    {9008, "Limit setting is unacceptable."},
    {9013, "Please \"Browse\" and specify a file name !"},
    {9015, "USB adapter cable not found."},
    {9016, "Data transmission timeout."},
    {9017, "Your meter is power off, disconnected or without built-in DATA LOGGING function."},
    {9018, "Unable to write the settings file."},
    {9999, "Error[E%d]"},
};
// clang-format on

constexpr bool sortedAndUnique() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(sortedAndUnique(), "string table entries must be sorted by number, each once");

const Entry* find(int id) {
    const auto* it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                      [](const Entry& e, int key) { return e.id < key; });
    return it != std::end(kStrings) && it->id == id ? it : nullptr;
}

} // namespace

QString LoadStr(int id) {
    const Entry* e = find(id);
    return e ? QString::fromUtf8(e->text) : QString();
}

bool HasStr(int id) {
    return find(id) != nullptr;
}

QString FormatCaption(int formatId, int number) {
    QString format = LoadStr(formatId);
    return format.replace(QStringLiteral("%d"), QString::number(number));
}

} // namespace telmora
