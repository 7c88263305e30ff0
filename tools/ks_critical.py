#!/usr/bin/python3
"""Critical values of the one-sample Kolmogorov-Smirnov statistic used by the
random-generator test: the 99.9 % quantile of the exact distribution
(scipy.stats.kstwo) for n = 100000 and n = 50000 samples. Prints the values
that tests/arrays/random_test.cpp holds as kKsCritical and kKsCritical50k."""
from scipy.stats import kstwo

for n in (100000, 50000):
    print(n, repr(kstwo.ppf(0.999, n)))
