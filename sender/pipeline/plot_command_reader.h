#pragma once
// Splitting a plot file into commands (ReadPlotCommand) and reading the
// numbers of one command, without ever holding a whole command: a command
// inside a pen-up/pen-down run may carry any number of coordinate pairs, so
// its numbers are handed out one at a time. Bytes come from a 64 KiB buffer
// refilled with one read call, so memory stays the same whatever the size of
// the file.
//
// Text rules, shared by the pre-scan and the encoders' pass:
// - carriage return and line feed are dropped anywhere and are not counted
//   as characters of the command;
// - a blank is stored as a comma (so it separates numbers like a comma);
// - a command ends after ";" (counted as a stored character) or at the end
//   of the file, so text after the last ";" is handled as a command.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace tarnik {

// Longest top-level command, its closing ";" included: the command buffer
// of the drawing program's files.
inline constexpr std::size_t kTopLevelCommandLimit = 48;
// Commands inside a pen-up/pen-down run are read number by number and have
// no length limit.
inline constexpr std::size_t kUnboundedCommand = SIZE_MAX;
// Longest number text (a sign and ten digits fill it).
inline constexpr int kNumberTextLimit = 11;

// The bytes of one plot file through a fixed buffer.
class PlotInput {
  public:
    PlotInput();
    ~PlotInput();
    PlotInput(const PlotInput&) = delete;
    PlotInput& operator=(const PlotInput&) = delete;

    bool Open(const char* path);
    void Close();
    // Next byte (0 to 255), or -1 at the end of the file or after a read
    // error (Failed() tells them apart).
    int Get() {
        if (pos_ == end_ && !Fill())
            return -1;
        return static_cast<unsigned char>(*pos_++);
    }
    bool Failed() const { return failed_; }

    // The unread part of the buffer, for loops that walk it themselves and
    // hand back how far they got with Seek.
    const char* Position() const { return pos_; }
    const char* Limit() const { return end_; }
    void Seek(const char* position) { pos_ = position; }
    // Reads the next part of the file into the buffer; false at the end of
    // the file or on a read error.
    bool Fill();

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<char[]> buffer_;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    bool failed_ = false;
};

class PlotCommandReader {
  public:
    enum class Token {
        Number,  // a number was read
        End,     // the command has no further number
        Error,   // malformed: over-long command or number, value out of range, read error
    };

    bool Open(const char* path);
    void Close();

    // Reads the next command's first two characters (0 where the command is
    // shorter). limit bounds the characters the whole command may store;
    // returns false when the file holds no further character.
    bool ReadPlotCommand(std::size_t limit);
    char First() const { return first_; }
    char Second() const { return second_; }
    // Consumes and returns the command's third character (0 if none). For
    // commands whose third character is not part of a number ("SP", "LT").
    char TakeThird();

    // The next number of the command: the text between separators (commas,
    // blanks), at most 11 characters, converted like atol (leading white
    // space, optional sign, digits up to the first other character, no
    // digits give 0) and required to fit a signed 32-bit integer.
    // after_separator tells whether a separator came before it in the
    // command.
    Token NextNumber(int32_t& value, bool& after_separator);
    // The common case of the drawing program's files: a pair "x,y" of plain
    // numbers (optional "-", 1 to 10 digits) followed by ";" or ",", taken
    // straight from the buffer. Returns false, having consumed nothing, for
    // anything else; NextNumber then reads it with the full rules.
    bool NextPlainPair(int32_t& x, int32_t& y);
    // Inside a run, once the previous command is finished: reads a whole
    // next command of the form "?D" + plain pair + ";" (the drawing
    // program's one point per command) and returns its pair; false, having
    // consumed at most line ends, for anything else.
    bool NextPlainRunPoint(int32_t& x, int32_t& y);
    // NextPlainRunPoint repeated: up to max pairs into xy (x and y in turn)
    // in one pass over the buffer; returns how many were read. The reader is
    // left as after as many single calls (and one more that failed, when
    // fewer than max were read).
    std::size_t NextPlainRunPoints(int32_t* xy, std::size_t max);
    // The command has been read to its end without fault.
    bool Finished() const { return ended_ && !over_limit_ && !Failed(); }
    // Reads to the end of the command; false when it outgrows its limit or
    // the file cannot be read.
    bool SkipRest();
    // A read error ends the file early; the reader must not take it for the
    // end of the data.
    bool Failed() const { return input_.Failed(); }

  private:
    // Next stored character, or -1 at the end of the command (";" or end
    // of file). Sets over_limit_ when the command outgrows its limit.
    int NextStored();

    PlotInput input_;
    std::size_t stored_ = 0;
    std::size_t limit_ = kTopLevelCommandLimit;
    bool ended_ = true;
    bool over_limit_ = false;
    bool separator_seen_ = false;
    char first_ = 0;
    char second_ = 0;
};

}  // namespace tarnik
