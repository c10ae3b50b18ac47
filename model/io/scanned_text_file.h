// An input text file read with scanf patterns, as the model files and the
// pillar file are read. It keeps track of the line of its read position and
// collects what it finds wrong, with the file and the line, for the program
// to print.
//
// The reads act as the C library's fscanf, fgets and fgetc act on the text,
// its end-of-file indicator included. Lines of plain numbers, by far the most
// of a model file, are read by a path of their own that gives the very
// doubles (both round correctly) and leaves the same position; anything
// else is handed to the C library's own scanf at that position.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "kernel/platform/text_input.h"
#include "kernel/point3.h"
#include "model/io/diagnostics.h"

namespace voxel {

// Largest magnitude of a number read from a model file. Coordinates beyond it
// would carry volumes (length cubed) and their moments towards the end of
// the double range (about 1.8e308), where they become inf and nan.
constexpr double kLargestInputMagnitude = 1e100;

// Outcome of one scanned record.
enum class ScanResult {
    Complete,  // every value converted
    // A value did not convert whole: no number where one was expected, or
    // text glued to a number ("5abc", "0,0,0,"). An error; the unconverted
    // values are kept. The read position is at the start of the line where
    // the fault was found, and the next value read passes over that line
    // first unless the reader keeps it (keep_line).
    Unparsed,
    NotFinite,  // a converted value is not finite or beyond kLargestInputMagnitude
                // (an error)
    EndOfFile,  // the end of the file came before every value was converted
};

// Names a value in the messages; asked only when there is a message, so that
// reading a value costs no text.
using ValueName = std::function<std::string()>;

class ScannedTextFile {
  public:
    ScannedTextFile() = default;
    ScannedTextFile(const ScannedTextFile&) = delete;
    ScannedTextFile& operator=(const ScannedTextFile&) = delete;

    // Opens the file in Windows text mode (a CR before an LF is dropped).
    // False when it cannot be opened or read (a directory, for one). A file
    // in a wide encoding opens with no text and an error (refused()).
    bool open(const std::string& path);
    // The same over bytes in memory, named `name` in the messages.
    bool open_bytes(const std::string& name, const std::string& bytes);
    // The whole text as the reader sees it (CR before LF dropped).
    const std::string& text() const { return input_.text(); }
    // The file is UTF-16 or UTF-32 text, or no text at all, which no reader can take.
    bool refused() const { return input_.refused_encoding() != nullptr; }

    // The end-of-file indicator: set once a read has met the end of the
    // text, as stdio's is.
    bool at_end() const { return at_end_; }
    long position() const { return static_cast<long>(pos_); }
    // 1-based line of a read position (of the current one by default).
    int line_at(long position) const { return input_.line_at(position); }
    int line() const { return line_at(position()); }
    // Line of the first byte at or after `position` that is not white space:
    // where a number conversion that starts at `position` begins.
    int value_line(long position) const;
    // The first byte at or after `position` that is not white space.
    long first_non_space(long position) const;
    const std::string& name() const { return name_; }

    void warn(int line, const std::string& text) { diagnostics_.warn(name_, line, text); }
    void error(int line, const std::string& text) { diagnostics_.error(name_, line, text); }
    const Diagnostics& diagnostics() const { return diagnostics_; }
    void append(const Diagnostics& other) { diagnostics_.append(other); }

    // The pattern `prefix` followed by "%lf", and when it converted, the
    // pattern's closing newline (any run of white space). `what` names the
    // value in the messages: a value that does not convert whole is an error
    // (unless `say_unparsed` is false: the reader then says what it found)
    // and left as it was; so is one that is not finite, or whose magnitude
    // is beyond kLargestInputMagnitude.
    //
    // Every value read starts on a line of its own: text after the previous
    // value on its line ("Gra_Pt.x=5 m") is an error, and the value is then
    // looked for from the next line on.
    ScanResult read_number(const char* prefix, double& value, const ValueName& what,
                           bool say_unparsed = true);
    ScanResult read_number(const char* prefix, double& value, const std::string& what,
                           bool say_unparsed = true) {
        return read_number(prefix, value, ValueName([&what] { return what; }), say_unparsed);
    }
    // "%lf,%lf,%lf\n" into p, with the same handling. A converted value that
    // is not usable is an error even when a later one did not parse.
    ScanResult read_point(Point3& p, const ValueName& what);
    ScanResult read_point(Point3& p, const std::string& what) {
        return read_point(p, ValueName([&what] { return what; }));
    }
    // "#%d:\n", the header of a pillar record.
    ScanResult read_record_number(int& number, const std::string& what);

    // After an Unparsed read: the line where the fault was found is not
    // passed over, but read again by whatever comes next (a keyword line
    // that ends a block cut short).
    void keep_line() { skip_pending_ = false; }
    // The key of `keys` (each written with its '=', "Gra_Pt.x=") that the
    // line at `position` begins with, once blanks are dropped and letters
    // put in one case on both sides ("gra_pt.x =" is "Gra_Pt.x="); -1 for
    // a line that begins with none of them or has no '='.
    int key_at(long position, const char* const* keys, int count) const;
    // Whether the line at `position` begins with `prefix` as scanf matches
    // it (each blank of the prefix matching any run of white space).
    bool begins_with_key(long position, const char* prefix) const;
    // Start of the line that holds `position`.
    long line_start(long position) const;
    // The text of the line from `position` to its end, as a message quotes
    // it: at most 40 characters, bytes that are not printable UTF-8 as '?'.
    std::string excerpt(long position) const;

    // fscanf at the read position with `pattern`: its result, and the
    // position and end-of-file indicator it leaves.
    int scan(const char* pattern, ...);
    // Puts the read position at `position` (a line start found earlier),
    // with the end-of-file indicator clear.
    void seek(long position);
    // Nothing but white space from `position` to the end of the text.
    bool blank_from(long position) const;
    // fgets into `piece` (size bytes): at most size - 1 bytes, up to and
    // including a line end; false at the end of the text. Text after the
    // previous value on its line is an error here too.
    bool read_piece(char* piece, int size);
    // fgetc until a line end has been read or the text ends.
    void skip_line();
    // Passes over whole lines of nothing but white space.
    void skip_blank_lines();
    // The rest of the line at the read position, its line end dropped, and
    // the position after it (the end-of-file indicator set when the text
    // ends before a line end, as fgets sets it).
    std::string read_line();
    // The reading ends: text after the last value on its line is an error
    // (true then).
    bool text_after_value();

    // The check of every converted value: true when each of the `count`
    // values is finite and within kLargestInputMagnitude; otherwise an error
    // naming `what` on the line where the conversion from `start` began.
    bool usable_values(const double* values, int count, long start, const ValueName& what);
    bool usable_values(const double* values, int count, long start, const std::string& what) {
        return usable_values(values, count, start, ValueName([&what] { return what; }));
    }

  private:
    ScanResult finish(long start, int converted, int wanted, bool finite, const ValueName& what,
                      bool say_unparsed = true);
    // Before a value is read: passes over the line of an earlier Unparsed
    // read, and over text left after the previous value on its line (an
    // error).
    void start_value();
    void note_refused_encoding();
    // The plain-number path of read_point and read_number (count 3 or 1):
    // true when it read the line; false, having moved nothing, when the
    // C library must.
    bool read_plain_numbers(double* values, int count);
    void skip_white_space();

    std::string name_;
    TextInput input_;
    Diagnostics diagnostics_;
    std::size_t pos_ = 0;
    bool at_end_ = false;
    // Where the last value that converted ended, while nothing but its
    // closing white space has been read since.
    std::size_t value_end_ = 0;
    bool after_value_ = false;
    bool skip_pending_ = false;  // an Unparsed read left its line to be passed over
};

// A reader's frame: opens the file at `path` (or takes `bytes` under the
// name `name`), hands it to read(in) and returns whether it opened, with what
// the reading found wrong.
template <class Read>
ReadResult read_scanned_file(const std::string& path, Read&& read) {
    ReadResult result;
    ScannedTextFile in;
    if (!in.open(path)) return result;
    result.opened = true;
    read(in);
    in.text_after_value();
    result.diagnostics = in.diagnostics();
    return result;
}

template <class Read>
ReadResult read_scanned_bytes(const std::string& name, const std::string& bytes, Read&& read) {
    ReadResult result;
    ScannedTextFile in;
    if (!in.open_bytes(name, bytes)) return result;
    result.opened = true;
    read(in);
    in.text_after_value();
    result.diagnostics = in.diagnostics();
    return result;
}

}  // namespace voxel
