#use lg
// logarithm to base 2: as lg, with 1/ln(2) in two parts; a power of 2 gives
// its exponent exactly (lb(2^-996) is -996)
function lb(x){
  return scaledlog("lb",x,1.4426950408889634,2.0355273740931033e-17,2);
}
