#pragma once

namespace zorvex {
class SharedBlock;
}

namespace zorvex::test {

// Every record and schedule row arrives as the copy holds it, as a complete download leaves the
// shared block: stored through the block's own store operations, so that edits may be written.
void ArriveAsHeld(SharedBlock& block);

} // namespace zorvex::test
