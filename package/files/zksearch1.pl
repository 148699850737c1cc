#!/usr/bin/perl
# The catalogue's search: answers the search form of the index pages with a
# page listing every catalogue page whose words hold all the words asked
# for, in the catalogue's own look. It reads the word list search01.dat and
# the page list pages01.dat from its zkdata folder (or from its own folder
# when that has none). The generator writes the look into the block below.
use strict;
use warnings;
use FindBin;

# Any query gets a quick answer: only so much of it is read and searched.
my $MAX_QUERY_BYTES = 4096;
my $MAX_TEXT_CHARACTERS = 200;
my $MAX_WORDS = 10;
my $MAX_FIELDS = 32;

our (%INDATA, $HTTP_REFERER);
our ($TEXTFONT, $TEXTFONTEND, $ISTYLE, $STYLETXT, $LINKSTART, $LINKEND, $BULLETS, $ROLLOVERS);
our ($LINKFONT, $LINKFONTEND, $LINKTAG, $STDLNKFONT, $STDLNKFONTEND, $STDTXTCODE, $BODYTAG);
our ($SRCHRESSTEXT, $STDLNKS, $NONFOUND, $BSKTLNK, $STDLNKATTOP);

read_query();

# The look; the generator replaces the marker line with the catalogue's.
$TEXTFONT = ""; $TEXTFONTEND = ""; $ISTYLE = 0; $STYLETXT = "";
$LINKSTART = "<UL>"; $LINKEND = "</UL>"; $BULLETS = 0; $ROLLOVERS = 0;
$LINKFONT = ""; $LINKFONTEND = ""; $LINKTAG = "<LI>";
$STDLNKFONT = ""; $STDLNKFONTEND = ""; $STDTXTCODE = "previous index";
$BODYTAG = "<body>"; $SRCHRESSTEXT = "Search Results"; $STDLNKS = "";
$NONFOUND = "No items found"; $BSKTLNK = ""; $STDLNKATTOP = 0;
{
    # A label may hold a "@" or a "$" that Perl would take for a variable.
    no strict 'vars';
    no warnings;
# <!-- VIMRA START1 -->
}

print_results(search(search_words($INDATA{'searchfor'})));
exit 0;

sub html_text {
    my ($text) = @_;
    $text =~ s/&/&amp;/g;
    $text =~ s/</&lt;/g;
    $text =~ s/>/&gt;/g;
    $text =~ s/"/&quot;/g;
    $text =~ s/'/&#39;/g;
    return $text;
}

sub url_decode {
    my ($text) = @_;
    $text =~ tr/+/ /;
    $text =~ s/%([0-9A-Fa-f]{2})/chr(hex($1))/ge;
    return $text;
}

# searchfor and calledby from a GET query (or a short POST body); the
# referring page only when it is a web address. Whatever the page shows of
# them is made safe here, before the look's block puts them into links.
sub read_query {
    my $query = $ENV{'QUERY_STRING'} // '';
    if (($ENV{'REQUEST_METHOD'} // '') eq 'POST') {
        my $length = $ENV{'CONTENT_LENGTH'} // 0;
        $length = 0 unless $length =~ /\A\d{1,9}\z/;
        $length = $MAX_QUERY_BYTES if $length > $MAX_QUERY_BYTES;
        read(STDIN, $query, $length) if $length > 0;
    }
    $query = substr($query, 0, $MAX_QUERY_BYTES);
    my %fields = (searchfor => '', calledby => '');
    my $count = 0;
    for my $pair (split /[&;]/, $query, $MAX_FIELDS + 1) {
        last if ++$count > $MAX_FIELDS;
        my ($name, $value) = split /=/, $pair, 2;
        $name = url_decode($name // '');
        next unless exists $fields{$name};
        $fields{$name} = url_decode($value // '');
    }
    $fields{'searchfor'} = substr($fields{'searchfor'}, 0, $MAX_TEXT_CHARACTERS);
    $fields{'calledby'} = '' unless $fields{'calledby'} =~ /\A[A-Za-z0-9_][A-Za-z0-9_.-]{0,63}\z/;
    %INDATA = %fields;
    my $referer = $ENV{'HTTP_REFERER'} // '';
    $HTTP_REFERER = $referer =~ m{\Ahttps?://[^\s"'<>\\]{1,1000}\z}i ? html_text($referer) : '';
}

# The words of the search text as the catalogue's word list holds them:
# runs of letters and digits, a price such as 12.50 as one word.
sub search_words {
    my ($text) = @_;
    my @words;
    my %seen;
    while ($text =~ /([0-9][0-9.]*[0-9]|[A-Za-z0-9]+)/g) {
        my $word = lc $1;
        next if $seen{$word}++;
        push @words, $word;
        last if @words >= $MAX_WORDS;
    }
    return @words;
}

sub data_folder {
    my $folder = $FindBin::RealBin;
    return -e "$folder/zkdata/search01.dat" ? "$folder/zkdata" : $folder;
}

# The page numbers that hold every word, each word being the start of one
# of the page's words, without regard to case.
sub search {
    my @words = @_;
    return () unless @words;
    my $folder = data_folder();
    my @found = map { {} } @words;
    if (open(my $list, '<', "$folder/search01.dat")) {
        while (my $line = <$list>) {
            $line =~ s/\r?\n\z//;
            my $comma = rindex($line, ',');
            next if $comma < 1;
            my $word = lc substr($line, 0, $comma);
            my $page = substr($line, $comma + 1);
            next unless $page =~ /\A\d{1,9}\z/;
            for my $i (0 .. $#words) {
                $found[$i]{$page} = 1 if index($word, $words[$i]) == 0;
            }
        }
        close($list);
    }
    my @pages = grep {
        my $page = $_;
        !grep { !$_->{$page} } @found
    } keys %{$found[0]};
    return sort { $a <=> $b } @pages;
}

sub page_names {
    my %names;
    if (open(my $list, '<', data_folder() . "/pages01.dat")) {
        while (my $line = <$list>) {
            $line =~ s/\r?\n\z//;
            my ($page, $name) = split /,/, $line, 2;
            next unless defined $name && $page =~ /\A\d{1,9}\z/;
            $names{$page + 0} = $name unless exists $names{$page + 0};
        }
        close($list);
    }
    return %names;
}

sub result_line {
    my ($count, $page, $name) = @_;
    my $address = sprintf('zk%.6d.html', $page);
    if ($ISTYLE == 2) {
        return "$LINKTAG<A HREF=\"$address\" TARGET=ZKITEM>$LINKFONT$name$LINKFONTEND</a></td></tr>\n";
    }
    if ($LINKSTART !~ /\A<TABLE/i) {
        return "<LI><A HREF=\"$address\" TARGET=ZKITEM>$LINKFONT$name$LINKFONTEND</A>\n";
    }
    my $bullet = $LINKTAG;
    my $handlers = '';
    if ($ROLLOVERS) {
        $bullet =~ s/%d/$count/g;
        $handlers = " onMouseOver='parent.ROI2(document.II$count)' onMouseOut='parent.OI2(document.II$count)'";
    }
    return "<TR><TD><A HREF=\"$address\" TARGET=ZKITEM$handlers>$bullet</A></TD>"
        . "<TD><A HREF=\"$address\" TARGET=ZKITEM>$LINKFONT$name$LINKFONTEND</A></TD></TR>\n";
}

sub print_results {
    my @pages = @_;
    my %names = @pages ? page_names() : ();
    my $cells = $ISTYLE == 2;
    my $asked = html_text($INDATA{'searchfor'});
    # Found pages open beside the index the form was sent from, wherever
    # this script itself lives.
    my $base = '';
    if ($HTTP_REFERER =~ m{\A(https?://[^?#]*/)}i) {
        $base = "<base href=\"$1\">\n";
    }
    my $style = $STYLETXT eq '' ? '' : "$STYLETXT\n";
    print "Content-Type: text/html\n\n";
    print "<html>\n<head>\n$base<title>$SRCHRESSTEXT</title>\n";
    print "<style type=\"text/css\">\nA   {text-decoration: none;}\n$style</style>\n</head>\n";
    print "$BODYTAG\n";
    print "$LINKSTART\n" if $cells;
    print "$STDLNKS\n" if $STDLNKATTOP;
    if ($cells) {
        print "<tr><td align=center>$TEXTFONT$SRCHRESSTEXT<br>&quot;$asked&quot;$TEXTFONTEND</td></tr>\n";
    } else {
        print "<CENTER>$TEXTFONT$SRCHRESSTEXT<br>&quot;$asked&quot;$TEXTFONTEND</CENTER>\n";
    }
    if (!@pages) {
        print $cells ? "<tr><td align=center>$TEXTFONT$NONFOUND$TEXTFONTEND</td></tr>\n"
                     : "<CENTER>$TEXTFONT$NONFOUND$TEXTFONTEND</CENTER>\n";
    } else {
        print "$LINKSTART\n" unless $cells;
        my $count = 0;
        for my $page (@pages) {
            my $name = $names{$page} // sprintf('zk%.6d.html', $page);
            print result_line(++$count, $page, $name);
        }
        print "$LINKEND\n" unless $cells;
    }
    print "$STDLNKS\n" unless $STDLNKATTOP;
    print "$LINKEND\n" if $cells;
    print "</body>\n</html>\n";
}
