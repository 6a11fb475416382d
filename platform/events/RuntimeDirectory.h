#pragma once

namespace events {

// Qt keeps per-user runtime files in $XDG_RUNTIME_DIR and warns on every start when it is unset
// or not a private folder of the user. Every program calls this before its application object
// is made: when the variable does not name a usable folder (a folder of this user with
// permissions 0700), it is pointed at one of the host's own in the temporary folder
// ("nelvar-runtime-UID"), made private to the user.
void ensurePrivateRuntimeDirectory();

} // namespace events
