#!/usr/bin/env python3
"""The values statistiques_test.cpp expects, reached another way than the engine.

The same posterior (logistic model, a draw half a win for each side, two
virtual draws of each player against a reference rated 0), but fitted by the
minorization-maximization iteration of the Bradley-Terry model, the reference
one more player of strength 1, and its curvature taken by finite differences
of the log-posterior.  Plain python3: python3 cotes_reference.py
"""
import math

VIRTUELLES, PAIRES_VIRTUELLES = 2.0, 1.0
Z, K = 1.959963984540054, math.log(10) / 400  # K: natural log-odds per Elo point


def log_f(x):
    return -math.log1p(math.exp(-x)) if x >= 0 else x - math.log1p(math.exp(x))


def log_posterieur(r, s, n):
    m = range(len(r))
    return (sum(VIRTUELLES / 2 * (log_f(x) + log_f(-x)) for x in r) +
            sum(s[i][j] * log_f(r[i] - r[j]) for i in m for j in m if i != j and n[i][j]))


def ajuster(s, n):
    m, g = range(len(s)), [1.0] * len(s)
    for _ in range(200000):
        nouveau = [(sum(s[i]) + VIRTUELLES / 2) /
                   (VIRTUELLES / (g[i] + 1) + sum(n[i][j] / (g[i] + g[j]) for j in m if j != i))
                   for i in m]
        fini = max(abs(math.log(a / b)) for a, b in zip(nouveau, g)) < 1e-14
        g = nouveau
        if fini:
            break
    return [math.log(x) for x in g]


def inverse(a):
    m = len(a)
    a = [ligne[:] + [float(i == j) for j in range(m)] for i, ligne in enumerate(a)]
    for c in range(m):
        p = max(range(c, m), key=lambda l: abs(a[l][c]))
        a[c], a[p] = a[p], a[c]
        a[c] = [x / a[c][c] for x in a[c]]
        for l in range(m):
            if l != c:
                a[l] = [x - a[l][c] * y for x, y in zip(a[l], a[c])]
    return [ligne[m:] for ligne in a]


def covariance(r, s, n, h=1e-4):
    def f(i, di, j, dj):
        x = r[:]
        x[i] += di
        x[j] += dj
        return log_posterieur(x, s, n)
    m = range(len(r))
    return inverse([[-(f(i, h, j, h) - f(i, h, j, -h) - f(i, -h, j, h) + f(i, -h, j, -h)) /
                     (4 * h * h) for j in m] for i in m])


def cotes(s, n):
    """(Elo, 95 % half-width) of each player less its group's average."""
    r, m = ajuster(s, n), len(s)
    c = covariance(r, s, n)
    groupe = list(range(m))  # linked players end with one number
    for _ in range(m):
        groupe = [min(groupe[j] for j in range(m) if j == i or n[i][j]) for i in range(m)]
    resultat = [(0.0, 0.0)] * m
    for i in range(m):
        g = [j for j in range(m) if groupe[j] == groupe[i]]
        if len(g) > 1:
            e = [(i == j) - 1 / len(g) for j in g]
            v = sum(e[a] * e[b] * c[g[a]][g[b]] for a in range(len(g)) for b in range(len(g)))
            resultat[i] = ((r[i] - sum(r[j] for j in g) / len(g)) / K, Z * math.sqrt(v) / K)
    return resultat


def difference(points, parties):
    s, n = [[0, points], [parties - points, 0]], [[0, parties], [parties, 0]]
    r = ajuster(s, n)
    c = covariance(r, s, n)
    return r[0] - r[1], c[0][0] + c[1][1] - 2 * c[0][1]


def ecart_des_parties(v, nul, d):
    diff, var = difference(v + nul / 2, v + nul + d)
    return diff / K, Z * math.sqrt(var) / K


def ecart_des_paires(paires):
    """The games' estimate; its variance from the pairs' spread (sandwich)."""
    total = sum(paires)
    diff, var = difference(sum(k / 2 * c for k, c in enumerate(paires)), 2 * total)
    p = 1 / (1 + math.exp(-diff))
    ecarts = sum(c * (k / 2 - 2 * p) ** 2 for k, c in enumerate(paires))
    etalement = (ecarts + PAIRES_VIRTUELLES * 2 * p * (1 - p)) / (total + PAIRES_VIRTUELLES)
    return diff / K, Z * var * math.sqrt(total * etalement) / K


def table(m, rencontres):
    s, n = [[0.0] * m for _ in range(m)], [[0] * m for _ in range(m)]
    for i, j, p, g in rencontres:
        s[i][j], s[j][i], n[i][j], n[j][i] = p, g - p, g, g
    return s, n


if __name__ == "__main__":
    for v, nul, d in [(750, 0, 250), (30, 40, 30), (0, 4, 0), (10, 0, 0), (2, 0, 0)]:
        print("parties %d-%d-%d : %.2f ± %.2f" % ((v, nul, d) + ecart_des_parties(v, nul, d)))
    for paires in [(0, 0, 5, 0, 0), (0, 0, 20, 0, 0), (3, 5, 10, 6, 4), (0, 0, 0, 0, 5)]:
        print("paires %s : %.2f ± %.2f" % ((paires,) + ecart_des_paires(paires)))
    grand = [(i, j, math.floor(100 / (1 + 10 ** (40 * (i - j) / 400)) + 0.5), 100)
             for i in range(24) for j in range(i + 1, 24)]
    for nom, m, rencontres in [
            ("75 sur 100", 2, [(0, 1, 75, 100)]),
            ("4 nulles", 2, [(0, 1, 2, 4)]),
            ("défi gagné partout, un absent", 4, [(0, 1, 10, 10), (0, 2, 10, 10)]),
            ("deux qui perdent tout", 4, [(0, 1, 5, 10), (0, 2, 10, 10), (0, 3, 10, 10),
                                          (1, 2, 10, 10), (1, 3, 10, 10), (2, 3, 5, 10)]),
            ("deux groupes", 4, [(0, 1, 3, 4), (2, 3, 1, 6)]),
            ("2 parties", 2, [(0, 1, 2, 2)]),
            ("27600 parties", 24, grand)]:
        print(nom, " ".join("%.2f±%.2f" % c for c in cotes(*table(m, rencontres))))
