#pragma once
// The command grammar of a plot file, shared by the pre-scan and the
// encoders' pass so that both agree on what a path is and on what makes a
// file malformed. It knows nothing of mapping or pens: it hands out raw
// input points and the commands the encoders act on.
//
// - "PU" with at least one coordinate pair opens a run at its last pair (the
//   pairs before it are moves); a "PU" without a pair opens nothing.
// - In a run, every command whose second character is "D" adds each of its
//   pairs in order; one without a pair is passed over. The first other
//   command (or the end of the file) closes the run and is then handled as a
//   command of its own.
// - Pairs are separated by commas and/or blanks; a lone trailing number
//   (an odd count) is ignored, as a plotter ignores an unpaired coordinate.
// - "IW" sets the top from its last number after a comma; "SP" and "LT" are
//   reported with their third character; every other command is skipped.
// - A top-level command (one not read inside a run) holds at most 48
//   characters, its ";" included. Numbers hold at most 11 characters and
//   must fit a signed 32-bit integer. "IW" needs a comma and a number after
//   it. Anything else malformed is an Error, after which the file is done.
#include <cstdint>

#include "sender/pipeline/plot_command_reader.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {

class PlotParser {
  public:
    enum class Item {
        PathOpen,   // X(), Y(): the first point of a run
        PathPoint,  // X(), Y(): a further point of the open run
        PathClose,  // the open run has ended
        PenSelect,  // ThirdCharacter(): the pen digit of "SP"
        LineType,   // ThirdCharacter(): 0 for a bare "LT"
        Window,     // X(): the top given by "IW"
        End,        // the end of the file (repeated on later calls)
        Error,      // malformed data or a read error (repeated on later calls)
    };

    bool Open(const char* path);
    void Close();
    Item Next();
    // While a run is open: up to max further points of the run written in
    // the drawing program's plain one-pair form, into xy (x and y in turn),
    // each taken as Next() would hand it out as a PathPoint (X(), Y() and
    // the extent follow them). Returns how many; 0 when Next() must go on.
    std::size_t NextRunPoints(int32_t* xy, std::size_t max);

    int32_t X() const { return x_; }
    int32_t Y() const { return y_; }
    char ThirdCharacter() const { return third_; }
    // Every pair read so far, "PU" moves included (Width and Height unset);
    // points taken by NextRunPoints count only while run points are measured.
    const PlotExtent& Extent() const { return extent_; }
    // The plot file's resolution (kept across Open): coordinates and the
    // "IW" top are turned into the system's 800 units per inch as they are
    // read, rounded to the nearest unit; one that does not fit a signed
    // 32-bit integer then, or a resolution of 0 or less, is an Error.
    void SetUnitsPerInch(int32_t units_per_inch) { units_per_inch_ = units_per_inch; }
    // Whether NextRunPoints follows the extent (on unless switched off; kept
    // across Open). The encoders' pass switches it off: the pre-scan has
    // measured the file already, and the batches are its hottest loop.
    void MeasureRunPoints(bool on) { measure_run_points_ = on; }

  private:
    enum class Pair { Point, None, Error };
    Pair ReadPair();
    Pair TakePair(int32_t x, int32_t y);
    // Handles a command outside a run; false when it yields no item.
    bool HandleTopLevel(Item& item);
    bool ReadPenUp();
    bool ReadWindow();

    PlotCommandReader commands_;
    PlotExtent extent_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    char third_ = 0;
    bool in_run_ = false;     // a "PU" run is open
    bool in_points_ = false;  // pairs of a "D" command of the run are being handed out
    bool pending_ = false;    // the command that closed the run still needs handling
    bool done_ = false;
    bool measure_run_points_ = true;
    int32_t units_per_inch_ = kPlotUnitsPerInch;
    Item final_ = Item::End;
};

}  // namespace tarnik
