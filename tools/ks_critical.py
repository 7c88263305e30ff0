#!/usr/bin/python3
"""Critical value of the one-sample Kolmogorov-Smirnov statistic used by the
random-generator test: the 99.9 % quantile of the exact distribution for
n = 100000 samples (scipy.stats.kstwo). Prints the value that
tests/signal_fit/random_test.cpp holds as kKsCritical."""
from scipy.stats import kstwo

print(repr(kstwo.ppf(0.999, 100000)))
