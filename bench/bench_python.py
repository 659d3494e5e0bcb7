#!/usr/bin/env python3
"""Random games per second with the Python rules, beside the C library's.

    LD_LIBRARY_PATH=build/lib PYTHONPATH=python python3 bench/bench_python.py [build/bin/bench_regles]

Each game lists the legal moves, draws one and plays it until no move is
left, as bench_regles's partiesAleatoires does in C; both count processor
time, so that a loaded machine moves the ratio less.  Without the path of
bench_regles (built with Google Benchmark), only the Python figure.
"""

import json
import random
import subprocess
import sys
import time

from tessor import Position

PARTIES = 2000


def parties_python():
    hasard, coups_joues = random.Random(1), 0
    debut = time.process_time()
    for _ in range(PARTIES):
        p = Position.initiale()
        while coups := p.coups_legaux():
            p = p.jouer(coups[hasard.randrange(len(coups))])
            coups_joues += 1
    return PARTIES / (time.process_time() - debut), coups_joues / PARTIES


def parties_c(bench_regles):
    sortie = subprocess.run([bench_regles, "--benchmark_filter=partiesAleatoires",
                             "--benchmark_format=json"], capture_output=True, text=True, check=True)
    return json.loads(sortie.stdout)["benchmarks"][0]["items_per_second"]


par_seconde, longueur = parties_python()
print(f"Python : {par_seconde:,.0f} parties au hasard par seconde ({longueur:.1f} coups par partie)"
      .replace(",", " ").replace(".", ","))
if len(sys.argv) > 1:
    en_c = parties_c(sys.argv[1])
    print(f"C : {en_c:,.0f} parties par seconde ; Python {en_c / par_seconde:.1f} fois plus lent"
          .replace(",", " ").replace(".", ","))
