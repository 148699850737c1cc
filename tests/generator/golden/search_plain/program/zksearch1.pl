#!/usr/bin/perl
# a shop script without a marker
print "hello\n";