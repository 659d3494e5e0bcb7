// Statistics of game results, on the Elo scale.
#include "partie/statistiques.h"

#include <algorithm>
#include <cmath>

namespace moteur {
namespace {

// Newton's method on the log-posterior: at most this many steps, until the
// longest moves the ratings by less than PRECISION (natural log-odds); each
// step halved at most DEMI_PAS_MAX times until the posterior does not fall.
constexpr int ITERATIONS_MAX = 200;
constexpr double PRECISION = 1e-10;
constexpr int DEMI_PAS_MAX = 60;
// What a count of zero pairs weighs in the sequential test.
constexpr double POIDS_DU_VIDE = 1e-3;

const double K = std::log(10.0) / 400; // d(natural log-odds) / d(Elo)

} // namespace

double scoreAttendu(double elo) { return 1 / (1 + std::pow(10.0, -elo / 400)); }

double eloDuScore(double score) { return -400 * std::log10(1 / score - 1); }

double probabiliteDeSuperiorite(int victoires, int defaites)
{
    if (victoires + defaites == 0)
        return 0.5;
    return 0.5 * (1 + std::erf((victoires - defaites) / std::sqrt(2.0 * (victoires + defaites))));
}

namespace {

// The distribution of pair scores x[k] closest to the observed one w[k]
// (most likely) among those of mean score `s`: w[k] / (1 + l (x[k] - s)),
// where l makes the mean s.  Every w[k] > 0, 0 < s < 1.
std::array<double, 5> auPlusPres(const std::array<double, 5> &x, const std::array<double, 5> &w,
                                 double s)
{
    // f(l) = sum w (x - s) / (1 + l (x - s)) decreases from +inf to -inf
    // between the poles -1 / (1 - s) and 1 / s: halved until it is found.
    double bas = -1 / (1 - s), haut = 1 / s;
    for (int k = 0; k < 200; k++) {
        double l = (bas + haut) / 2, f = 0;
        for (size_t i = 0; i < 5; i++)
            f += w[i] * (x[i] - s) / (1 + l * (x[i] - s));
        (f > 0 ? bas : haut) = l;
    }
    double l = (bas + haut) / 2, total = 0;
    std::array<double, 5> p;
    for (size_t i = 0; i < 5; i++) {
        p[i] = w[i] / (1 + l * (x[i] - s));
        total += p[i];
    }
    for (double &v : p)
        v /= total;
    return p;
}

} // namespace

double rapportDeVraisemblance(const Paires &paires, double elo0, double elo1)
{
    const std::array<double, 5> x = {0.0, 0.25, 0.5, 0.75, 1.0};
    std::array<double, 5> w;
    double n = 0;
    for (size_t k = 0; k < 5; k++) {
        w[k] = paires[k] > 0 ? paires[k] : POIDS_DU_VIDE;
        n += w[k];
    }
    for (double &v : w)
        v /= n;
    std::array<double, 5> p0 = auPlusPres(x, w, scoreAttendu(elo0));
    std::array<double, 5> p1 = auPlusPres(x, w, scoreAttendu(elo1));
    double llr = 0;
    for (size_t k = 0; k < 5; k++)
        llr += w[k] * std::log(p1[k] / p0[k]);
    return n * llr;
}

void CompteDePaires::ajouter(int rang, int demiPoints)
{
    if (rang % 2 == 1) {
        enAttente_ = demiPoints;
        return;
    }
    if (enAttente_ >= 0)
        paires_[static_cast<size_t>(enAttente_ + demiPoints)]++;
    enAttente_ = -1;
}

BornesSprt bornesSprt(double alpha, double beta)
{
    return {std::log(beta / (1 - alpha)), std::log((1 - beta) / alpha)};
}

namespace {

using Matrice = std::vector<std::vector<double>>;

// The inverse of a symmetric positive definite matrix by Gauss-Jordan with
// partial pivoting; false if it is singular.
bool inverser(Matrice a, Matrice &inverse)
{
    size_t n = a.size();
    inverse.assign(n, std::vector<double>(n, 0));
    for (size_t i = 0; i < n; i++)
        inverse[i][i] = 1;
    for (size_t c = 0; c < n; c++) {
        size_t pivot = c;
        for (size_t l = c + 1; l < n; l++)
            if (std::fabs(a[l][c]) > std::fabs(a[pivot][c]))
                pivot = l;
        if (!(std::fabs(a[pivot][c]) > 1e-12))
            return false;
        std::swap(a[c], a[pivot]);
        std::swap(inverse[c], inverse[pivot]);
        double d = a[c][c];
        for (size_t k = 0; k < n; k++) {
            a[c][k] /= d;
            inverse[c][k] /= d;
        }
        for (size_t l = 0; l < n; l++) {
            if (l == c || a[l][c] == 0)
                continue;
            double f = a[l][c];
            for (size_t k = 0; k < n; k++) {
                a[l][k] -= f * a[c][k];
                inverse[l][k] -= f * inverse[c][k];
            }
        }
    }
    return true;
}

double logistique(double x) { return 1 / (1 + std::exp(-x)); }

// ln logistique(x), with no overflow far from 0.
double logLogistique(double x)
{
    return x >= 0 ? -std::log1p(std::exp(-x)) : x - std::log1p(std::exp(x));
}

// The games: s[i][j] points of i against j, n[i][j] games between them.
struct Resultats {
    Matrice s, n;
};

// The log-posterior of ratings `r` (natural log-odds): each game, and each
// player's virtual draws against the reference at 0.
double logPosterieur(const std::vector<double> &r, const Resultats &g)
{
    double l = 0;
    for (size_t i = 0; i < r.size(); i++) {
        l += NULLES_A_PRIORI / 2 * (logLogistique(r[i]) + logLogistique(-r[i]));
        for (size_t j = 0; j < r.size(); j++)
            if (j != i && g.n[i][j] > 0)
                l += g.s[i][j] * logLogistique(r[i] - r[j]);
    }
    return l;
}

// The gradient of the log-posterior at `r`, and minus its second derivatives
// (the information; the prior makes it positive definite).
void pente(const std::vector<double> &r, const Resultats &g, std::vector<double> &gradient,
           Matrice &information)
{
    size_t m = r.size();
    gradient.assign(m, 0);
    information.assign(m, std::vector<double>(m, 0));
    for (size_t i = 0; i < m; i++) {
        double p = logistique(r[i]);
        gradient[i] = NULLES_A_PRIORI * (0.5 - p);
        information[i][i] = NULLES_A_PRIORI * p * (1 - p);
        for (size_t j = 0; j < m; j++) {
            if (j == i || g.n[i][j] == 0)
                continue;
            double q = logistique(r[i] - r[j]);
            gradient[i] += g.s[i][j] - g.n[i][j] * q;
            information[i][i] += g.n[i][j] * q * (1 - q);
            information[i][j] -= g.n[i][j] * q * (1 - q);
        }
    }
}

struct Posterieur {
    std::vector<double> r; // natural log-odds
    Matrice covariance;    // the inverse of the information at r
};

// The maximum a posteriori by Newton's method.  The log-posterior is strictly
// concave; a step that would lower it is halved, so that the steps converge
// from any start, however lopsided the results.
Posterieur ajuster(const Resultats &g)
{
    size_t m = g.s.size();
    Posterieur p{std::vector<double>(m, 0), {}};
    std::vector<double> gradient, essai(m);
    Matrice information;
    for (int iteration = 0; iteration < ITERATIONS_MAX; iteration++) {
        pente(p.r, g, gradient, information);
        if (!inverser(information, p.covariance))
            break;
        std::vector<double> pas(m, 0);
        double plusGrand = 0, avant = logPosterieur(p.r, g), t = 1;
        for (size_t i = 0; i < m; i++) {
            for (size_t j = 0; j < m; j++)
                pas[i] += p.covariance[i][j] * gradient[j];
            plusGrand = std::max(plusGrand, std::fabs(pas[i]));
        }
        for (int k = 0; k < DEMI_PAS_MAX; k++, t /= 2) {
            for (size_t i = 0; i < m; i++)
                essai[i] = p.r[i] + t * pas[i];
            if (logPosterieur(essai, g) >= avant)
                break;
        }
        p.r = essai;
        if (t * plusGrand < PRECISION)
            break;
    }
    pente(p.r, g, gradient, information);
    inverser(information, p.covariance);
    return p;
}

// Groups of players linked by games; a player who never played is in none.
std::vector<std::vector<size_t>> groupes(const Matrice &n)
{
    std::vector<std::vector<size_t>> liste;
    std::vector<bool> vu(n.size(), false);
    for (size_t depart = 0; depart < n.size(); depart++) {
        bool joue = std::any_of(n[depart].begin(), n[depart].end(), [](double x) { return x > 0; });
        if (vu[depart] || !joue)
            continue;
        std::vector<size_t> pile = {depart}, membres;
        vu[depart] = true;
        while (!pile.empty()) {
            size_t i = pile.back();
            pile.pop_back();
            membres.push_back(i);
            for (size_t j = 0; j < n.size(); j++)
                if (n[i][j] > 0 && !vu[j]) {
                    vu[j] = true;
                    pile.push_back(j);
                }
        }
        liste.push_back(membres);
    }
    return liste;
}

// Each member's rating less the group's average, with the variance of that
// difference: c_ii - 2/m sum_j c_ij + 1/m^2 sum_jk c_jk over the members.
void coterLeGroupe(const Posterieur &p, const std::vector<size_t> &membres,
                   std::vector<Cote> &cotes)
{
    double m = static_cast<double>(membres.size()), moyenne = 0, toutes = 0;
    std::vector<double> ligne(membres.size(), 0);
    for (size_t a = 0; a < membres.size(); a++) {
        moyenne += p.r[membres[a]] / m;
        for (size_t b : membres)
            ligne[a] += p.covariance[membres[a]][b];
        toutes += ligne[a];
    }
    for (size_t a = 0; a < membres.size(); a++) {
        size_t i = membres[a];
        double variance = p.covariance[i][i] - 2 * ligne[a] / m + toutes / (m * m);
        cotes[i].elo = (p.r[i] - moyenne) / K;
        cotes[i].erreur = Z_95 * std::sqrt(std::max(variance, 0.0)) / K;
    }
}

// The difference of two players' ratings (natural log-odds), the first with
// `points` in `parties` games, and its variance.
struct Difference {
    double d, variance;
};

Difference difference(double points, double parties)
{
    Posterieur p = ajuster({{{0, points}, {parties - points, 0}}, {{0, parties}, {parties, 0}}});
    return {p.r[0] - p.r[1], p.covariance[0][0] + p.covariance[1][1] - 2 * p.covariance[0][1]};
}

Ecart ecartAutour(double d, double variance, int unites)
{
    Ecart e;
    e.unites = unites;
    e.elo = d / K;
    double demi = Z_95 * std::sqrt(variance) / K;
    e.bas = e.elo - demi;
    e.haut = e.elo + demi;
    return e;
}

} // namespace

Ecart ecartDesParties(int victoires, int nulles, int defaites)
{
    int n = victoires + nulles + defaites;
    if (n == 0)
        return {};
    Difference x = difference(victoires + nulles / 2.0, n);
    Ecart e = ecartAutour(x.d, x.variance, n);
    e.borne = nulles == 0 && (victoires == 0 || defaites == 0);
    return e;
}

Ecart ecartDesPaires(const Paires &paires)
{
    int n = 0;
    double points = 0;
    for (size_t k = 0; k < paires.size(); k++) {
        n += paires[k];
        points += paires[k] * (k / 2.0);
    }
    if (n == 0)
        return {};
    Difference x = difference(points, 2.0 * n);
    // The estimate moves by its variance times the points' departure from
    // what the model expects (a Newton step): its variance is the model's
    // squared times n pairs' spread about 2p, the prior's pairs included.
    double p = logistique(x.d), ecarts = PAIRES_A_PRIORI * 2 * p * (1 - p);
    for (size_t k = 0; k < paires.size(); k++)
        ecarts += paires[k] * (k / 2.0 - 2 * p) * (k / 2.0 - 2 * p);
    double etalement = ecarts / (n + PAIRES_A_PRIORI);
    Ecart e = ecartAutour(x.d, x.variance * x.variance * n * etalement, n);
    e.borne = paires[0] == n || paires[4] == n;
    return e;
}

std::vector<Cote> cotesParVraisemblance(const std::vector<std::vector<double>> &points,
                                        const std::vector<std::vector<int>> &parties)
{
    size_t n = points.size();
    Resultats g{Matrice(n, std::vector<double>(n, 0)), Matrice(n, std::vector<double>(n, 0))};
    std::vector<Cote> cotes(n);
    for (size_t i = 0; i < n; i++) {
        double total = 0, joues = 0;
        for (size_t j = 0; j < n; j++)
            if (i != j && parties[i][j] > 0) {
                g.s[i][j] = points[i][j];
                g.n[i][j] = parties[i][j];
                total += points[i][j];
                joues += parties[i][j];
            }
        cotes[i].aucunePartie = joues == 0;
        cotes[i].borne = joues > 0 && (total == 0 || total == joues);
    }
    // The prior is each player's own: the posterior of one group does not
    // depend on the others, and one fit rates them all.
    Posterieur p = ajuster(g);
    for (const std::vector<size_t> &membres : groupes(g.n))
        coterLeGroupe(p, membres, cotes);
    return cotes;
}

} // namespace moteur
