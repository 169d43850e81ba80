#use exactproduct
// The number k of half turns for which x is the double nearest to k*pi/2 or
// one of its two neighbours, for k from 1 to 2^22 in magnitude (2^21
// turns); NaN for any other x. The sine, cosine, tangent and cotangent are
// exactly 0 there, or have a pole, where the C library's functions give a
// tiny or huge number: the double next to a multiple of pi is not that
// multiple, and 11pi as typed is one unit in the last place from the double
// nearest to 11 pi. pi/2 is taken in two parts and the product rounded once.
function halfturns(x){
  var k=Math.round(x/1.5707963267948966);
  if(k===0||!(Math.abs(k)<=4194304))return NaN;
  var m=exacttimes(k,1.5707963267948966,6.123233995736766e-17);
  // no double lies between neighbours: their midpoint rounds to one of them
  var d=x-m,mid=m+d/2;
  return d===0||mid===m||mid===x?k:NaN;
}
