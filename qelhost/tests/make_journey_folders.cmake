# The work folder the panel journeys start in, as the host's sample
# journeys describe it: DIR/work with sample.txt, sub/sample.txt and
# test.hlf, made afresh each run.
file(REMOVE_RECURSE ${DIR}/work)
file(WRITE ${DIR}/work/sample.txt
     "hello World mixed Case words\n(a [b] c)\nthis is a long line of plain words that goes on and on well past the usual right margin of seventy five columns so that reformatting has something to do\nLast Line\n")
file(WRITE ${DIR}/work/sub/sample.txt "other content\r\n")
file(WRITE ${DIR}/work/test.hlf ".Language=English,English\n\n@Contents\n$^#Test help#\nTest help contents\n\n@Other\n$^#Other topic#\nThe other topic\n")
