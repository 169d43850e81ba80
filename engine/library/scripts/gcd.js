#use wholecheck
// the greatest common divisor of two whole numbers
function gcd(a,b){
  wholecheck("gcd",[a,b]);
  a=Math.abs(a);
  b=Math.abs(b);
  while(b){var rest=a%b;a=b;b=rest;}
  return a;
}
