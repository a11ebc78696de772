#pragma once

namespace harvoline {

// Who may act in a round: everybody not locked out may buzz while it is open; while a seat
// answers nobody else can; a closed round waits for the next one.
enum class RoundPhase { Open, Answering, Closed };

// What the answer board shows so far: nothing, the titles, the whole answers, and last the
// song's own picture as the small cover.
enum class ClueStage { Hidden, Titles, Answers, MiniCover };

} // namespace harvoline
