#!/usr/bin/perl
# word list
