#!/usr/bin/perl
# Prepares the catalogue's word list for searching: every word in lower
# case, each word and page once, sorted by word. The list is
# zkdata/search01.dat beside this script, or the file named on the command
# line; it is replaced whole, so a search running meanwhile reads either
# the old list or the new one.
use strict;
use warnings;
use FindBin;
use File::Temp qw(tempfile);
use File::Basename qw(dirname);

my $cgi = defined $ENV{'GATEWAY_INTERFACE'};
my $list = (!$cgi && @ARGV) ? $ARGV[0] : "$FindBin::RealBin/zkdata/search01.dat";

sub finish {
    my ($status, $text) = @_;
    print "Content-Type: text/plain\n\n" if $cgi;
    if ($status == 0 || $cgi) {
        print "$text\n";
    } else {
        print STDERR "$text\n";
    }
    exit($cgi ? 0 : $status);
}

open(my $in, '<', $list) or finish(1, "cannot read $list: $!");
my %seen;
my @entries;
my $read = 0;
while (my $line = <$in>) {
    $line =~ s/\r?\n\z//;
    my $comma = rindex($line, ',');
    next if $comma < 1;
    my $page = substr($line, $comma + 1);
    next unless $page =~ /\A\d{1,9}\z/;
    $read++;
    my $word = lc substr($line, 0, $comma);
    my $number = $page + 0;
    push @entries, [$word, $number] unless $seen{"$word,$number"}++;
}
close($in);

my ($out, $temporary) = eval { tempfile('search01-XXXXXX', DIR => dirname($list), UNLINK => 0) };
finish(1, "cannot write beside $list") unless $out;
for my $entry (sort { $a->[0] cmp $b->[0] || $a->[1] <=> $b->[1] } @entries) {
    print {$out} "$entry->[0],$entry->[1]\n";
}
if (!close($out) || !rename($temporary, $list)) {
    my $error = "$!";
    unlink($temporary);
    finish(1, "cannot write $list: $error");
}
chmod(0644, $list);
finish(0, sprintf('%d words read, %d kept', $read, scalar(@entries)));
