#pragma once

namespace vexa {

// Why a report did not reach the printer.
enum class PrintFailure {
    PrinterRefused,  // the printer did not take the job
    FileNotWritable, // printing into a file that cannot be written
    Interrupted,     // the job started and broke off
};

} // namespace vexa
