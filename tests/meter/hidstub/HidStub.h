#pragma once
// A stand-in for the hidapi C library, for tests only: a shared library that
// exports the hid_* functions the real cable backend calls, linked into a test
// in place of the real library. Behind it sits a CableBackend (a simulated
// meter, not in real time), reached at report level the way hidraw reaches a
// device: the report number 0 of an unnumbered device is taken off every input
// report, input reports queue up per open handle until they are read, and a
// read with nothing queued waits out its time-out and gives 0.
//
// In front of the meter's own interfaces it lists HID interfaces of other
// devices (one of them cannot be opened, one has the cable's vendor id with
// another product id). The functions below set it up and script faults for
// single reports of the cable.

#include "meter/CableBackend.h"

#include <chrono>
#include <string>

namespace hidstub {

// What goes wrong with one report of the cable. The fault strikes at the read
// that would deliver the report.
enum class Fault {
    Empty, // that read returns 0 at once, before its time-out (a spurious
           // wake-up); the next read gets the report
    Short, // the report arrives cut short, with only its first `bytes` bytes
    Late,  // that read waits out its time-out and gives 0; the report arrives
           // once the reader has given up waiting: later reads that wait do not
           // see it, a look without waiting (or the next command) finds it
    Lost,  // the report never arrives: that read gets the one after it
    Error, // that read fails (-1); the next read gets the report
    Pull,  // the cable is pulled before the report: that read and every later
           // use of the cable fails, and the cable is no longer listed
};

// Puts `meter` behind the stand-in (not owned; null for none), plugs the cable
// back in, clears every scripted fault and counter and lists `foreign` other
// interfaces before the meter's own.
void reset(telmora::CableBackend* meter, int foreign = 4);

// Scripts `fault` for the `nth` input report of the cable from now (1 is the next).
void faultOnReport(int nth, Fault fault, int bytes = 0);

// The serial-number string of the cable as the system reports it (instead of the
// meter's own); with `readable` false the serial number cannot be read.
void setSerial(const std::wstring& serial, bool readable = true);

// Makes the cable answer like a meter does, in real time: the reports of a reply
// become readable only a time after the command, between `shortest` and `longest`
// (spread evenly, the same sequence after every reset). Zero (the default after
// a reset) answers at once.
void setReplyTime(std::chrono::milliseconds shortest, std::chrono::milliseconds longest);

void pullCable();
void plugCable();

// Handles opened and not yet closed (all interfaces).
int openHandles();
// Input reports the cable has sent since the reset (delivered, cut short or lost).
int cableReports();
// Scripted faults not used yet.
int pendingFaults();
// True once anything was called through the stand-in since the reset: shows that
// the test runs against it and not against the real library.
bool used();

} // namespace hidstub
