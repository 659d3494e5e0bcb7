#include "navigateur/serveur.h"

#include "sorties/format.h"
#include "sorties/page.h"

#include <httplib.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/random.h>

namespace moteur {
namespace ressources {
extern const char jeu_html[], jeu_css[], jeu_js[];
} // namespace ressources

namespace {

constexpr const char *HOTE = "127.0.0.1";
constexpr double ATTENTE_ETAT = 20.0;  // a request for news waits this long at most
constexpr size_t CORPS_MAX = 64;       // a move or a colour is a few bytes
// Requests served at once: each open page keeps one waiting for news.
constexpr size_t FILS = 16;
constexpr size_t OCTETS_SECRET = 16;

// Hexadecimal, from the kernel's generator.
std::string tirerSecret()
{
    unsigned char octets[OCTETS_SECRET];
    size_t lus = 0;
    while (lus < sizeof octets) {
        ssize_t n = getrandom(octets + lus, sizeof octets - lus, 0);
        if (n < 0 && errno != EINTR)
            throw std::runtime_error(std::string("getrandom : ") + std::strerror(errno));
        lus += n > 0 ? static_cast<size_t>(n) : 0;
    }
    std::string t;
    for (unsigned char o : octets)
        t += "0123456789abcdef"[o >> 4], t += "0123456789abcdef"[o & 15];
    return t;
}

// Compared in a time that does not depend on where they differ.
bool egauxEnTempsConstant(std::string_view a, std::string_view b)
{
    unsigned char difference = a.size() == b.size() ? 0 : 1;
    for (size_t k = 0; k < a.size() && k < b.size(); k++)
        difference |= static_cast<unsigned char>(a[k] ^ b[k]);
    return difference == 0;
}

void repondre(httplib::Response &r, const Reponse &reponse)
{
    r.status = reponse.statut;
    if (reponse.statut == 200 && reponse.texte.empty())
        r.status = 204;
    else
        r.set_content(reponse.texte + "\n", "text/plain; charset=utf-8");
}

} // namespace

struct Serveur::Interne {
    Interne(Session &s, std::string t) : session(s), titre(std::move(t)) {}
    Session &session;
    std::string titre;
    std::string secret = tirerSecret();
    int port = 0;
    httplib::Server http;

    httplib::Server::HandlerResponse controler(const httplib::Request &q, httplib::Response &r) const;
    void router();
    std::string page() const;
};

// The server's own names: a page elsewhere (another origin, or a name that
// resolves here by a trick of DNS) has neither.
httplib::Server::HandlerResponse Serveur::Interne::controler(const httplib::Request &q,
                                                              httplib::Response &r) const
{
    std::string suffixe = ":" + std::to_string(port);
    std::string hote = q.get_header_value("Host"), origine = q.get_header_value("Origin");
    bool hoteAdmis = hote == HOTE + suffixe || hote == "localhost" + suffixe;
    bool origineAdmise = !q.has_header("Origin") || origine == "http://" + hote;
    std::string_view chemin = q.path;
    bool secretDonne = chemin.size() > secret.size() + 1 && chemin[0] == '/' &&
                       egauxEnTempsConstant(chemin.substr(1, secret.size()), secret) &&
                       chemin[secret.size() + 1] == '/';
    if (hoteAdmis && origineAdmise && secretDonne)
        return httplib::Server::HandlerResponse::Unhandled;
    repondre(r, {403, !hoteAdmis      ? "hôte refusé : « " + hote + " »"
                      : !origineAdmise ? "origine refusée : « " + origine + " »"
                                       : "adresse inconnue : ouvrez celle que le moteur a affichée"});
    return httplib::Server::HandlerResponse::Handled;
}

std::string Serveur::Interne::page() const
{
    std::string style = std::string(ressources::plateau_css) + ressources::jeu_css;
    std::string script = std::string(ressources::plateau_js) + ressources::jeu_js;
    std::string titreHtml = texteHtml(titre), donnees = "{\"grille\":" + grilleJson() + "}";
    return remplirModele(ressources::jeu_html, {{"titre", titreHtml},
                                                {"style", style},
                                                {"script", script},
                                                {"donnees", donnees}});
}

void Serveur::Interne::router()
{
    const std::string racine = "/" + secret + "/";
    http.Get(racine, [this](const httplib::Request &, httplib::Response &r) {
        r.set_content(page(), "text/html; charset=utf-8");
    });
    http.Get(racine + "etat", [this](const httplib::Request &q, httplib::Response &r) {
        auto depuis = lireEntier<long>(q.get_param_value("depuis"), 0, LONG_MAX);
        if (!depuis)
            return repondre(r, {400, "depuis attend un numéro de version"});
        r.set_content(session.etat(*depuis, ATTENTE_ETAT), "application/json; charset=utf-8");
    });
    http.Post(racine + "coup", [this](const httplib::Request &q, httplib::Response &r) {
        repondre(r, session.jouerCoup(q.body));
    });
    http.Post(racine + "nouvelle", [this](const httplib::Request &q, httplib::Response &r) {
        repondre(r, session.commencer(q.body));
    });
    http.Post(racine + "quitter", [this](const httplib::Request &, httplib::Response &r) {
        session.noterDepart();
        repondre(r, {});
    });
    http.Get(racine + "relecture", [this](const httplib::Request &, httplib::Response &r) {
        std::vector<Partie> parties = session.partiesFinies();
        if (parties.empty())
            return repondre(r, {404, "aucune partie finie"});
        r.set_content(textePage(parties, titre), "text/html; charset=utf-8");
    });
}

Serveur::Serveur(Session &session, std::string titre) : i_(std::make_unique<Interne>(session, std::move(titre)))
{
    httplib::Server &h = i_->http;
    h.new_task_queue = [] { return new httplib::ThreadPool(FILS); };
    // One request a connection: a connection kept open would hold one of
    // the threads while the browser leaves it idle, and with connections
    // kept open the program's move took 80 to 100 ms more to reach the page
    // (bench_navigateur.sh) than the 15 to 35 ms it takes so.
    h.set_keep_alive_max_count(1);
    h.set_payload_max_length(CORPS_MAX);
    h.set_default_headers({{"Cache-Control", "no-store"},
                           {"X-Content-Type-Options", "nosniff"},
                           {"Referrer-Policy", "no-referrer"},
                           {"X-Frame-Options", "DENY"}});
    h.set_pre_routing_handler(
        [this](const httplib::Request &q, httplib::Response &r) { return i_->controler(q, r); });
    i_->router();
}

Serveur::~Serveur() = default;

bool Serveur::ecouter(int port, std::string &erreur)
{
    errno = 0;
    i_->port = port == 0 ? i_->http.bind_to_any_port(HOTE) : i_->http.bind_to_port(HOTE, port) ? port : -1;
    if (i_->port <= 0)
        erreur = errno != 0 ? std::strerror(errno) : "port indisponible";
    return i_->port > 0;
}

std::string Serveur::adresse() const
{
    return "http://" + std::string(HOTE) + ":" + std::to_string(i_->port) + "/" + i_->secret + "/";
}

void Serveur::servir() { i_->http.listen_after_bind(); }

void Serveur::arreter() { i_->http.stop(); }

} // namespace moteur
