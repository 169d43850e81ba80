// exclusive or of whole numbers, bit by bit: xor(5,3) is 6 (the sign ^ is
// the power)
function xor(a,b){return a^b;}
