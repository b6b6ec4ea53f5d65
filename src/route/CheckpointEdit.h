// What one edit of a checkpoint list changed, so that the route searches again only the legs around it.
#pragma once

#include <cstddef>

namespace rw::route {

// Which neighbour a checkpoint trades places with when it moves one place in the course order.
enum class CheckpointShift { Earlier, Later };

// The edit replaced the `removed` checkpoints from index `first` of the list before it by `added`
// checkpoints at the same index. Build one with the function named after the edit.
struct CheckpointEdit {
    std::size_t first = 0;
    std::size_t removed = 0;
    std::size_t added = 0;

    // A checkpoint appended to a list of countBefore.
    static CheckpointEdit Add(std::size_t countBefore) { return {countBefore, 0, 1}; }
    static CheckpointEdit Move(std::size_t index) { return {index, 1, 1}; }
    static CheckpointEdit Delete(std::size_t index) { return {index, 1, 0}; }
    // A checkpoint inserted after index (-1: before the first).
    static CheckpointEdit Insert(int after) { return {static_cast<std::size_t>(after + 1), 0, 1}; }
    // The checkpoint at index swapped with its neighbour.
    static CheckpointEdit Shift(std::size_t index, CheckpointShift shift) {
        const std::size_t lower = shift == CheckpointShift::Earlier ? index - 1 : index;
        return {lower, 2, 2};
    }
};

}  // namespace rw::route
