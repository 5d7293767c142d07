#pragma once

namespace telmora {

// Shows the hourglass over the whole application for as long as it lives.
// Guards nest: the cursor returns to normal once the last one is gone. Work
// that ends in another call keeps one in a std::optional member.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace telmora
