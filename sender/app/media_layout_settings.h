#pragma once
// The media keys of the "CutPlan" section of tarnik.ini ("MediaWidth",
// "Rotate", "Mirror", "Copies", "CopyGap", "WeedBorder", "WeedLines",
// "WeedDirection", "WeedGap", "TileOverlap"): read by the job sender and
// tarnik-cli, written by the job sender's file settings dialog.
#include "sender/app/profile_file.h"
#include "sender/settings/media_layout_options.h"

namespace tarnik {

// Missing keys and text that is no number give the defaults. A "Rotate"
// other than 0, 90 or -1 reads as 0, a "WeedDirection" other than 0, 1 or
// 2 as 0; lengths and "Copies" are kept as written, so that a job with a
// border of 0 or less or no copies is refused with its message rather than
// cut as something else. The margins are not stored: they are the file
// settings dialog's, for one job.
void LoadMediaLayoutSettings(ProfileFile& profile, MediaLayoutOptions& options);
void SaveMediaLayoutSettings(ProfileFile& profile, const MediaLayoutOptions& options);

}  // namespace tarnik
