// The registry of the players' processes, and the orphans they leave.
//
// The engine is the subreaper of everything it starts: a process whose
// parent dies comes to it rather than to init, even one that left its
// player's process group or session.  So every child of the engine that is
// not a live player is left over from one, and is ended with its group.
//
// One registry serves the whole engine, however many games it runs at once:
// it has no fixed capacity, and launching, reaping and sweeping take its
// lock, so that no sweep or stop ever sees a player between its birth and
// its registration, nor signals a number that was reaped and may be reused.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace moteur {

// Our children, for every thread of the engine: /proc lists each thread's
// own, and any thread may have started a player (a player's orphans come to
// the engine, its subreaper).
std::vector<int> lireEnfants();

// A live player as the registry knows it.  Its process layer reads it
// without the lock, hence atomics only; places are never freed while the
// registry lives, a free one (pid 0) is taken again by the next player.
struct Place {
    std::atomic<int> pid{0};         // 0: free
    std::atomic<int> cible{0};       // what kill ends: -pid (its group) for a program, pid for a person
    std::atomic<bool> recoltee{false};  // its number may now be another process's
    std::atomic<Place *> suivante{nullptr};
};

class Registre {
public:
    Registre(); // makes the engine the subreaper of its descendants
    ~Registre();
    Registre(const Registre &) = delete;
    Registre &operator=(const Registre &) = delete;

    // Starts a child under the lock: in new namespaces with a copy of our
    // memory if `espaces` names some (clone's flags), otherwise in our
    // memory until its exec (demarrage.h, whose rules `enfant` then keeps).
    // The child runs `enfant`, which must end in exec or _exit and make only
    // async-signal-safe calls.  `groupe`: the child gets a process group of
    // its own, which kill then ends.  Null if the child could not be made.
    Place *lancer(bool groupe, unsigned long espaces, const std::function<void()> &enfant);
    // The wait status of the place's process once it has ended (it is
    // reaped then); nothing while it runs, unless `bloquer` waits for it.
    std::optional<int> recolter(Place &place, bool bloquer);
    // The process is no longer a player: its place is free.
    void liberer(Place &place);
    // The same for a process that ends on its own, unreaped yet (a keeper
    // taking its box down once its program has ended): it is reaped later,
    // without waiting for it, and no sweep takes it for an orphan.
    void laisserFinir(Place &place);
    // Waits for those, and reaps them: nothing of the engine's left behind.
    void attendreLesFinissants();

    // Ends and reaps every child that is not a live player, and those that
    // its death hands over in turn.
    void finirLesOrphelins();
    // The same, only if a child has ended since the last sweep: cheap when
    // nothing happened.
    void ramasserLesOrphelins();

    // Called from a signal handler: no lock, no allocation.
    void noterFinDEnfant() { enfantTermine_.store(true); }
    // Whether `pid` is one of our latest children (a player started, or an
    // orphan swept), ended or not: a signal it sent may be read after the
    // engine reaped it.  No lock.
    bool enfantRecent(int pid) const;

    // The engine is being stopped: kills every player and what it started,
    // orphans included.  Keeps the lock, so that nothing starts afterwards.
    void toutFinir();
    // The same without keeping the lock: the engine finishes what it was
    // doing (it reaps its players as usual) and starts no player any more.
    void arreter();

private:
    void finirLesOrphelinsSousVerrou();
    void tuerLesJoueurs(); // under the lock
    bool estUnJoueur(int pid) const;
    void recolterLesFinissants(bool attendre); // under the lock
    void noterEnfant(int pid);
    std::mutex verrou_;
    std::array<std::atomic<int>, 64> recents_{}; // our latest children, in a ring
    std::atomic<unsigned> prochainRecent_{0};
    std::atomic<Place *> premiere_{nullptr};
    std::atomic<bool> enfantTermine_{false};
    bool arrete_ = false; // under the lock
    std::vector<int> finissants_; // under the lock
};

} // namespace moteur
