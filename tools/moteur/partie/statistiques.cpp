// Statistics of game results, on the Elo scale.
#include "partie/statistiques.h"

#include <algorithm>
#include <cmath>

namespace moteur {
namespace {

// A rating never goes further than this from the average of its group.
constexpr double ELO_LIMITE = 2000;
// Newton's method on the ratings: steps of at most this much, this many times.
constexpr double PAS_MAX = 400;
constexpr int ITERATIONS_MAX = 500;
constexpr double PRECISION = 1e-9;
// What a count of zero pairs weighs in the sequential test.
constexpr double POIDS_DU_VIDE = 1e-3;

const double K = std::log(10.0) / 400; // d(natural log-odds) / d(Elo)

// Mean and variance of scores x[k] seen n[k] times.
struct Moments {
    double total = 0, moyenne = 0, variance = 0;
};

template <size_t N>
Moments moments(const std::array<double, N> &x, const std::array<double, N> &n)
{
    Moments m;
    for (size_t k = 0; k < N; k++)
        m.total += n[k];
    if (m.total <= 0)
        return m;
    for (size_t k = 0; k < N; k++)
        m.moyenne += n[k] * x[k];
    m.moyenne /= m.total;
    for (size_t k = 0; k < N; k++)
        m.variance += n[k] * (x[k] - m.moyenne) * (x[k] - m.moyenne);
    m.variance /= m.total;
    return m;
}

// The difference and its interval from a mean score over `unites` units of
// `parUnite` games each: the bounds stay within half a game of 0 and 1.
Ecart ecartDuScore(const Moments &m, int unites, int parUnite)
{
    Ecart e;
    e.unites = unites;
    double marge = 0.5 / (static_cast<double>(unites) * parUnite);
    auto borner = [&](double s) { return std::clamp(s, marge, 1 - marge); };
    double demi = Z_95 * std::sqrt(m.variance / m.total);
    e.elo = eloDuScore(borner(m.moyenne));
    e.bas = eloDuScore(borner(m.moyenne - demi));
    e.haut = eloDuScore(borner(m.moyenne + demi));
    return e;
}

} // namespace

double scoreAttendu(double elo) { return 1 / (1 + std::pow(10.0, -elo / 400)); }

double eloDuScore(double score) { return -400 * std::log10(1 / score - 1); }

Ecart ecartDesParties(int victoires, int nulles, int defaites)
{
    int n = victoires + nulles + defaites;
    if (n == 0)
        return {};
    bool borne = nulles == 0 && (victoires == 0 || defaites == 0);
    if (borne) {
        // One game of the run taken as a draw: a bound, not an estimate.
        (victoires > 0 ? victoires : defaites)--;
        nulles++;
    }
    Moments m = moments<3>({1.0, 0.5, 0.0}, {double(victoires), double(nulles), double(defaites)});
    Ecart e = ecartDuScore(m, n, 1);
    if (borne) {
        e.borne = true;
        e.bas = e.haut = e.elo;
    }
    return e;
}

Ecart ecartDesPaires(const Paires &paires)
{
    std::array<double, 5> n;
    int total = 0;
    for (size_t k = 0; k < 5; k++) {
        n[k] = paires[k];
        total += paires[k];
    }
    if (total == 0)
        return {};
    bool borne = n[0] == total || n[4] == total;
    if (borne) { // one pair of the run taken as half a point better, or worse
        if (n[4] == total) {
            n[4]--;
            n[3]++;
        } else {
            n[0]--;
            n[1]++;
        }
    }
    Moments m = moments<5>({0.0, 0.25, 0.5, 0.75, 1.0}, n);
    Ecart e = ecartDuScore(m, total, 2);
    if (borne) {
        e.borne = true;
        e.bas = e.haut = e.elo;
    }
    return e;
}

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

// The information matrix of the ratings `r` (natural log-odds units) of a
// group, plus 1/n everywhere: the likelihood does not move when every rating
// moves alike, and that term pins the average (its inverse, less 1/n
// everywhere, is the covariance of ratings of average 0).
Matrice information(const std::vector<double> &r, const Matrice &n)
{
    size_t m = r.size();
    Matrice h(m);
    for (std::vector<double> &ligne : h)
        ligne.assign(m, 1.0 / static_cast<double>(m));
    for (size_t i = 0; i < m; i++)
        for (size_t j = 0; j < m; j++) {
            if (i == j || n[i][j] == 0)
                continue;
            double p = 1 / (1 + std::exp(r[j] - r[i]));
            h[i][j] -= n[i][j] * p * (1 - p);
            h[i][i] += n[i][j] * p * (1 - p);
        }
    return h;
}

// Maximum likelihood of one group of players linked by games, in natural
// log-odds units; s[i][j] points of i against j, n[i][j] games.
std::vector<Cote> coterLeGroupe(const Matrice &s, const Matrice &n)
{
    size_t m = s.size();
    std::vector<Cote> cotes(m);
    if (m == 1)
        return cotes; // alone: nothing to compare with
    const double limite = ELO_LIMITE * K, pasMax = PAS_MAX * K;
    std::vector<double> r(m, 0);
    for (int iteration = 0; iteration < ITERATIONS_MAX; iteration++) {
        // Newton's step: gradient (points won less points expected) and
        // information, the average held at 0.
        std::vector<double> gradient(m, 0);
        for (size_t i = 0; i < m; i++)
            for (size_t j = 0; j < m; j++)
                if (i != j && n[i][j] > 0)
                    gradient[i] += s[i][j] - n[i][j] / (1 + std::exp(r[j] - r[i]));
        Matrice inverse;
        if (!inverser(information(r, n), inverse))
            break;
        double plusGrand = 0;
        std::vector<double> pas(m, 0);
        for (size_t i = 0; i < m; i++) {
            for (size_t j = 0; j < m; j++)
                pas[i] += inverse[i][j] * gradient[j];
            plusGrand = std::max(plusGrand, std::fabs(pas[i]));
        }
        double facteur = plusGrand > pasMax ? pasMax / plusGrand : 1;
        double moyenne = 0;
        for (size_t i = 0; i < m; i++) {
            r[i] = std::clamp(r[i] + facteur * pas[i], -limite, limite);
            moyenne += r[i] / static_cast<double>(m);
        }
        for (double &x : r)
            x -= moyenne;
        if (plusGrand < PRECISION)
            break;
    }
    Matrice inverse;
    bool inversible = inverser(information(r, n), inverse);
    for (size_t i = 0; i < m; i++) {
        cotes[i].elo = r[i] / K;
        double variance = inversible ? inverse[i][i] - 1.0 / static_cast<double>(m) : -1;
        cotes[i].erreur = variance > 0 && std::isfinite(variance) ? Z_95 * std::sqrt(variance) / K
                                                                  : 0;
        // At the limit: the likelihood still grows beyond it.
        if (std::fabs(r[i]) >= limite * 0.999 || !std::isfinite(cotes[i].elo)) {
            cotes[i].borne = true;
            cotes[i].elo = std::isfinite(cotes[i].elo) ? cotes[i].elo : 0;
        }
    }
    return cotes;
}

} // namespace

std::vector<Cote> cotesParVraisemblance(const std::vector<std::vector<double>> &points,
                                        const std::vector<std::vector<int>> &parties)
{
    size_t n = points.size();
    std::vector<Cote> cotes(n);
    Matrice s(n, std::vector<double>(n, 0)), g(n, std::vector<double>(n, 0));
    std::vector<double> total(n, 0), joues(n, 0);
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++)
            if (i != j) {
                s[i][j] = points[i][j];
                g[i][j] = parties[i][j];
                total[i] += points[i][j];
                joues[i] += parties[i][j];
            }
    // Only wins, or only losses: one of its games, against its first
    // opponent, is counted as a draw, so that the rating is finite (a bound).
    // (Its opponent may have had only losses: it has a finite rating then.)
    std::vector<bool> borne(n, false);
    for (size_t i = 0; i < n; i++) {
        borne[i] = joues[i] > 0 && (total[i] == 0 || total[i] == joues[i]);
        double encore = 0;
        for (size_t j = 0; j < n; j++)
            encore += i != j ? s[i][j] : 0;
        if (!borne[i] || (encore > 0 && encore < joues[i]))
            continue;
        for (size_t j = 0; j < n; j++)
            if (g[i][j] > 0) {
                double demi = encore > 0 ? -0.5 : 0.5;
                s[i][j] += demi;
                s[j][i] -= demi;
                break;
            }
    }
    // Groups of players linked by games, each rated on its own.
    std::vector<int> groupe(n, -1);
    int groupes = 0;
    for (size_t depart = 0; depart < n; depart++) {
        if (groupe[depart] >= 0 || joues[depart] == 0)
            continue;
        std::vector<size_t> pile = {depart};
        groupe[depart] = groupes;
        while (!pile.empty()) {
            size_t i = pile.back();
            pile.pop_back();
            for (size_t j = 0; j < n; j++)
                if (g[i][j] > 0 && groupe[j] < 0) {
                    groupe[j] = groupes;
                    pile.push_back(j);
                }
        }
        groupes++;
    }
    for (int k = 0; k < groupes; k++) {
        std::vector<size_t> membres;
        for (size_t i = 0; i < n; i++)
            if (groupe[i] == k)
                membres.push_back(i);
        Matrice sg(membres.size(), std::vector<double>(membres.size(), 0)), ng = sg;
        for (size_t a = 0; a < membres.size(); a++)
            for (size_t b = 0; b < membres.size(); b++) {
                sg[a][b] = s[membres[a]][membres[b]];
                ng[a][b] = g[membres[a]][membres[b]];
            }
        std::vector<Cote> c = coterLeGroupe(sg, ng);
        for (size_t a = 0; a < membres.size(); a++) {
            cotes[membres[a]] = c[a];
            cotes[membres[a]].borne = c[a].borne || borne[membres[a]];
        }
    }
    for (size_t i = 0; i < n; i++)
        cotes[i].aucunePartie = joues[i] == 0;
    return cotes;
}

} // namespace moteur
