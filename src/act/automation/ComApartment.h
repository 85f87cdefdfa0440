#pragma once
// The calling thread joins a single-threaded COM apartment for the owner's lifetime; automation
// objects are created and called only inside one.

namespace bp::automation {

class ComApartment {
public:
    // Raises bp::Error when the thread is already in a multithreaded apartment or COM cannot
    // start.
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace bp::automation
